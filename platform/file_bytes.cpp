#include "platform/file_bytes.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kalup::file_bytes {

bool readWhole(const char* path, std::string& bytes)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return n == 0;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

} // namespace kalup::file_bytes
