// Exceptions of the framework: one base carrying a message and the failure kinds the
// components, streams, conversions and the design reader raise.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define PANTREL_EXCEPTION(Name, Base)                                    \
    class Name : public Base {                                           \
    public:                                                              \
        explicit Name(std::string Message) : Base(std::move(Message)) {} \
    }

PANTREL_EXCEPTION(EConvertError, Exception);
PANTREL_EXCEPTION(EStreamError, Exception);
PANTREL_EXCEPTION(EReadError, EStreamError);
PANTREL_EXCEPTION(EWriteError, EStreamError);
PANTREL_EXCEPTION(EFOpenError, EStreamError);
PANTREL_EXCEPTION(EFCreateError, EStreamError);
PANTREL_EXCEPTION(EListError, Exception);
PANTREL_EXCEPTION(EStringListError, Exception);
PANTREL_EXCEPTION(EInvalidOperation, Exception);
PANTREL_EXCEPTION(EOutOfResources, Exception);
PANTREL_EXCEPTION(EComponentError, Exception);
PANTREL_EXCEPTION(EDesignError, Exception);
