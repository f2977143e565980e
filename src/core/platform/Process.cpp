#include "platform/Process.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zantor {

std::string StartDetached(const std::filesystem::path& program, const std::string& argument,
                          const std::filesystem::path& workingFolder) {
    // The grandchild reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return std::strerror(errno);

    pid_t child = ::fork();
    if (child < 0) {
        int err = errno;
        ::close(report[0]);
        ::close(report[1]);
        return std::strerror(err);
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
        int err = 0;
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) {
            err = errno;
        } else {
            std::string path = program.string();
            char* argv[] = {path.data(), const_cast<char*>(argument.c_str()), nullptr};
            ::execv(path.c_str(), argv);
            err = errno;
        }
        ssize_t ignored = ::write(report[1], &err, sizeof err);
        (void)ignored;
        ::_exit(127);
    }

    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof err)) return std::strerror(err);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the program could not be started";
    return {};
}

} // namespace zantor
