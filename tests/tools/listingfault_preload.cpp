// Preloaded into qelviewer-cli by its tests: the listing of the folder named by
// QEL_TEST_FAIL_LISTING fails with EIO once QEL_TEST_FAIL_AFTER entries have been read, as
// on a failing disk or share. Every other folder lists as usual.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>

namespace {

DIR *g_failing = nullptr;
long g_read = 0;

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool failsNow(DIR *dir)
{
    if (dir != g_failing)
        return false;
    const char *after = std::getenv("QEL_TEST_FAIL_AFTER");
    return g_read++ >= (after ? std::atol(after) : 0);
}

} // namespace

extern "C" {

DIR *opendir(const char *name)
{
    static const auto real = next<DIR *(*)(const char *)>("opendir");
    DIR *dir = real(name);
    const char *failing = std::getenv("QEL_TEST_FAIL_LISTING");
    if (dir && failing && std::strcmp(name, failing) == 0) {
        g_failing = dir;
        g_read = 0;
    }
    return dir;
}

dirent *readdir(DIR *dir)
{
    static const auto real = next<dirent *(*)(DIR *)>("readdir");
    if (failsNow(dir)) {
        errno = EIO;
        return nullptr;
    }
    return real(dir);
}

dirent64 *readdir64(DIR *dir)
{
    static const auto real = next<dirent64 *(*)(DIR *)>("readdir64");
    if (failsNow(dir)) {
        errno = EIO;
        return nullptr;
    }
    return real(dir);
}

int closedir(DIR *dir)
{
    static const auto real = next<int (*)(DIR *)>("closedir");
    if (dir == g_failing)
        g_failing = nullptr;
    return real(dir);
}

} // extern "C"
