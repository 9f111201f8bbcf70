#pragma once
// A failure the user has to be told about (a file that is wrong or cannot be
// written). The procedure that started the work catches it, shows the message
// and puts the window back; nothing half-done is reported as done.
#include <stdexcept>
#include <string>

namespace cpt {

class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user cancelled a question: the work stops without a message.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

}  // namespace cpt
