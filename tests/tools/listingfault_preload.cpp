// Preloaded into qelviewer-cli by its tests: the listing of the folder QEL_TEST_FAIL_LISTING
// fails with EIO once QEL_TEST_FAIL_AFTER entries are read, as on a failing disk or share.

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

template <typename Entry>
Entry *readOrFail(DIR *dir, Entry *(*real)(DIR *))
{
    const char *after = std::getenv("QEL_TEST_FAIL_AFTER");
    if (dir == g_failing && g_read++ >= (after ? std::atol(after) : 0)) {
        errno = EIO;
        return nullptr;
    }
    return real(dir);
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
    return readOrFail(dir, real);
}

dirent64 *readdir64(DIR *dir)
{
    static const auto real = next<dirent64 *(*)(DIR *)>("readdir64");
    return readOrFail(dir, real);
}

int closedir(DIR *dir)
{
    static const auto real = next<int (*)(DIR *)>("closedir");
    if (dir == g_failing)
        g_failing = nullptr;
    return real(dir);
}

} // extern "C"
