#pragma once

#include <QString>

#include <stdexcept>

namespace tarvix {

// Values the user typed that cannot be stored as they stand. Nothing has been written;
// the handler boundary says which fields to fix.
class InputError : public std::runtime_error {
public:
    explicit InputError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace tarvix
