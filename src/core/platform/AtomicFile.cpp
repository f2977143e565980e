#include "platform/AtomicFile.h"

#include "platform/AppError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace zantor {

namespace {

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& target, int err) {
    throw AppError(FormatMessage("Cannot create file \"%s\". %s", {target.string(), std::strerror(err)}));
}

} // namespace

void WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device rd;
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 8; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".tmp";
        name += std::to_string(rd());
        temp = folder / name;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) ThrowCannotCreate(target, errno);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            ThrowCannotCreate(target, err);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        ThrowCannotCreate(target, err);
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        ThrowCannotCreate(target, err);
    }
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw AppError(FormatMessage("Cannot open file \"%s\". %s", {path.string(), std::strerror(errno)}));
    std::ostringstream out;
    out << in.rdbuf();
    return std::move(out).str();
}

} // namespace zantor
