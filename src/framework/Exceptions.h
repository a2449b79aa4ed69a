#pragma once
// The framework's exception classes. Every failure the framework reports is one of these; the
// application object shows whatever std::exception reaches the message loop, so lower layers that
// throw std::runtime_error are reported the same way.

#include "platform/gfx/BmpCodec.h"

#include <exception>
#include <string>

namespace vcl {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }

private:
    std::string message_;
};

#define VCL_EXCEPTION(Name, Base)                                                                            \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    }

VCL_EXCEPTION(EConvertError, Exception);
VCL_EXCEPTION(EInOutError, Exception);
VCL_EXCEPTION(EOutOfResources, Exception);
VCL_EXCEPTION(EInvalidOperation, Exception);
VCL_EXCEPTION(EComponentError, Exception);
VCL_EXCEPTION(EListError, Exception);
VCL_EXCEPTION(EStringListError, EListError);
VCL_EXCEPTION(EStreamError, Exception);
VCL_EXCEPTION(EFileStreamError, EStreamError);
VCL_EXCEPTION(EFOpenError, EFileStreamError);
VCL_EXCEPTION(EFCreateError, EFileStreamError);
VCL_EXCEPTION(EReadError, EStreamError);
VCL_EXCEPTION(EWriteError, EStreamError);
VCL_EXCEPTION(EInvalidGraphicOperation, Exception);

#undef VCL_EXCEPTION

// "Bitmap image is not valid": the graphics layer's bitmap error, raised by every decoder.
using EInvalidGraphic = gfx::EInvalidGraphic;

// "Invalid class typecast": raised by checked down-casts of framework objects.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
    using Exception::Exception;
};

// Message texts quoted by callers and tests.
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";

// The system's text for an errno value, as the platform's error-message lookup gives it.
std::string SysErrorMessage(int error);

// The absolute, normalised form of a path, as error messages quote it.
std::string ExpandFileName(const std::string& path);

// "Cannot open file "<full path>". <system text>" and its create counterpart.
[[noreturn]] void RaiseFOpenError(const std::string& path, int error);
[[noreturn]] void RaiseFCreateError(const std::string& path, int error);

// Checked down-cast in the manner of the framework's "as" operator.
template <class To, class From>
To* As(From* object) {
    if (object == nullptr) {
        return nullptr;
    }
    auto* result = dynamic_cast<To*>(object);
    if (result == nullptr) {
        throw EInvalidCast();
    }
    return result;
}

} // namespace vcl
