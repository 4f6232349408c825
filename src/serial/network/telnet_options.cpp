#include "serial/network/telnet_options.h"

#include "serial/network/com_port_codec.h"

namespace drovane::telnet {

namespace {

bool weTake(unsigned char option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}

bool theyMay(unsigned char option) {
    return option == kBinary || option == kSuppressGoAhead;
}

} // namespace

std::string TelnetOptions::opening() {
    std::string out;
    for (const unsigned char option : {kComPort, kBinary, kSuppressGoAhead}) {
        ours_[option] = true;
        out += negotiation(kWill, option);
    }
    for (const unsigned char option : {kBinary, kSuppressGoAhead}) {
        theirs_[option] = true;
        out += negotiation(kDo, option);
    }
    return out;
}

std::optional<std::string> TelnetOptions::answer(unsigned char verb, unsigned char option) {
    if (option == kComPort && (verb == kDo || verb == kDont)) {
        comPortAnswer_ = verb == kDo ? Answer::Yes : Answer::No;
    }
    switch (verb) {
    case kDo:
        if (!weTake(option)) {
            return negotiation(kWont, option);
        }
        if (!ours_[option]) {
            ours_[option] = true;
            return negotiation(kWill, option);
        }
        return std::nullopt;
    case kDont:
        if (ours_[option]) {
            ours_[option] = false;
            return negotiation(kWont, option);
        }
        return std::nullopt;
    case kWill:
        if (!theyMay(option)) {
            return negotiation(kDont, option);
        }
        if (!theirs_[option]) {
            theirs_[option] = true;
            return negotiation(kDo, option);
        }
        return std::nullopt;
    case kWont:
        if (theirs_[option]) {
            theirs_[option] = false;
            return negotiation(kDont, option);
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace drovane::telnet
