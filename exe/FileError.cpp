#include "exe/FileError.h"

#include <cstring>

namespace tarvix {

FileError::FileError(std::string path, std::string operation, std::string reason, std::string purpose)
    : std::runtime_error("Cannot " + operation + " " + path + purpose + ": " + reason), m_path(std::move(path)),
      m_operation(std::move(operation)), m_reason(std::move(reason))
{
}

FileError FileError::fromErrno(std::string path, std::string operation, int err, std::string purpose)
{
    return FileError(std::move(path), std::move(operation), std::strerror(err), std::move(purpose));
}

} // namespace tarvix
