#pragma once
// While one of these lives, files written by this process stop growing at the given size,
// as on a full disk. active() is false where the limit could not be set (or the platform
// has no such limit); the tests that need it check that.

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#endif

namespace qeltest {

class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes)
    {
#if defined(Q_OS_UNIX)
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            return;
        rlimit small = saved_;
        small.rlim_cur = rlim_t(bytes);
        active_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit()
    {
#if defined(Q_OS_UNIX)
        if (active_)
            setrlimit(RLIMIT_FSIZE, &saved_);
#endif
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return active_; }

private:
    bool active_ = false;
#if defined(Q_OS_UNIX)
    rlimit saved_{};
#endif
};

} // namespace qeltest
