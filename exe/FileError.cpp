#include "exe/FileError.h"

#include <cstring>

namespace tarvix {

FileError::FileError(std::string path, std::string operation, std::string reason)
    : std::runtime_error("Cannot " + operation + " " + path + ": " + reason), m_path(std::move(path)),
      m_operation(std::move(operation)), m_reason(std::move(reason))
{
}

FileError FileError::fromErrno(std::string path, std::string operation, int err)
{
    return FileError(std::move(path), std::move(operation), std::strerror(err));
}

} // namespace tarvix
