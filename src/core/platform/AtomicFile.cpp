#include "platform/AtomicFile.h"

#include "platform/AppError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zantor {

namespace {

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& target, int err) {
    throw AppError(FormatMessage("Cannot create file \"%s\". %s", {target.string(), std::strerror(err)}));
}

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& path, int err) {
    throw AppError(FormatMessage("Cannot open file \"%s\". %s", {path.string(), std::strerror(err)}));
}

// A temporary file beside its target, written but not yet flushed or renamed.
struct TempFile {
    std::filesystem::path path;
    int fd = -1;
};

// Creates the temporary file and writes the bytes; returns the errno of a failure.
int WriteTemp(const std::filesystem::path& target, std::string_view bytes, std::random_device& rd,
              TempFile& temp) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    for (int attempt = 0; temp.fd < 0 && attempt < 8; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".tmp";
        name += std::to_string(rd());
        temp.path = folder / name;
        temp.fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (temp.fd < 0 && errno != EEXIST) break;
    }
    if (temp.fd < 0) return errno;
    while (!bytes.empty()) {
        ssize_t n = ::write(temp.fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(temp.fd);
            ::unlink(temp.path.c_str());
            temp.fd = -1;
            return err;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    // Only starts the disk write; the flush below waits for it and reports its errors.
    ::sync_file_range(temp.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    return 0;
}

void Discard(TempFile& temp) {
    if (temp.fd < 0) return;
    ::close(temp.fd);
    ::unlink(temp.path.c_str());
    temp.fd = -1;
}

// Flushes the temporary file and renames it over the target; returns the errno of a failure.
int Commit(const std::filesystem::path& target, TempFile& temp) {
    int fd = temp.fd;
    temp.fd = -1;
    if (::fdatasync(fd) != 0) {
        int err = errno;
        ::close(fd);
        ::unlink(temp.path.c_str());
        return err;
    }
    if (::close(fd) != 0 || std::rename(temp.path.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.path.c_str());
        return err;
    }
    return 0;
}

} // namespace

void WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes) {
    FileBytes file{target, bytes};
    WriteFilesAtomic(std::span<const FileBytes>(&file, 1));
}

void WriteFilesAtomic(std::span<const FileBytes> files) {
    std::random_device rd;
    std::vector<TempFile> temps(files.size());
    std::size_t written = 0;
    int writeError = 0;
    for (; written < files.size(); ++written) {
        writeError = WriteTemp(files[written].target, files[written].bytes, rd, temps[written]);
        if (writeError != 0) break;
    }
    for (std::size_t i = 0; i < written; ++i) {
        if (int err = Commit(files[i].target, temps[i]); err != 0) {
            for (std::size_t later = i + 1; later < written; ++later)
                Discard(temps[later]);
            ThrowCannotCreate(files[i].target, err);
        }
    }
    if (writeError != 0) ThrowCannotCreate(files[written].target, writeError);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowCannotOpen(path, errno);
    struct stat info {};
    std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    // One byte more than the size, so the end is seen without growing when the size holds.
    std::string bytes(expected + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ThrowCannotOpen(path, err);
        }
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(used);
    return bytes;
}

} // namespace zantor
