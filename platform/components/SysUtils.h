#pragma once
// Exceptions and the small text helpers that the component classes and their users share.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// A text that is not a number where a number is needed.
class EConvertError : public Exception { using Exception::Exception; };
// A form description that cannot be read: unknown class, property, value or bad syntax.
class EReadError : public Exception { using Exception::Exception; };
// A property accessed by name that does not exist or does not take the given value.
class EPropertyError : public Exception { using Exception::Exception; };
// An index outside a list.
class EListError : public Exception { using Exception::Exception; };
// A stream read past its end or a failed stream operation.
class EStreamError : public Exception { using Exception::Exception; };
// A component name that is not an identifier or that its owner already holds.
class EComponentError : public Exception { using Exception::Exception; };
// A window, resource or system call that failed.
class EOSError : public Exception { using Exception::Exception; };
// No room left for what was to be added.
class EOutOfResources : public Exception { using Exception::Exception; };
// Anything else that a caller should report to the user as it stands.
class EInvalidOperation : public Exception { using Exception::Exception; };

std::string IntToStr(long long value);
std::string IntToHex(unsigned long long value, int digits);
// Decimal with an optional sign, or hexadecimal after "$" or "0x"; blanks around are allowed.
bool TryStrToInt(const std::string& text, int& value);
bool TryStrToInt64(const std::string& text, long long& value);
int StrToInt(const std::string& text);  // throws EConvertError
int StrToIntDef(const std::string& text, int fallback);

// ASCII-only case mapping: bytes of multi-byte (GBK) characters are left as they are.
std::string UpperCase(std::string text);
std::string LowerCase(std::string text);
bool SameText(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);
bool IsValidIdent(const std::string& text);
