#include "machine/port_selecting_line.h"

#include "serial/network/network_port_name.h"

namespace drovane {

PortSelectingLine::PortSelectingLine(double virtualClockSpeed, VirtualMachineSettings machine)
    : virtual_(virtualClockSpeed), machine_(virtual_.cable(), machine) {}

int PortSelectingLine::open(const SerialSettings& settings) {
    if (settings.portName == kVirtualPortName) {
        lastOpened_ = &virtual_;
        const int id = virtual_.open(settings);
        virtualId_ = id != 0 ? id : virtualId_;
        return id;
    }
    if (isNetworkPortName(settings.portName)) {
        lastOpened_ = &network_;
        const int id = network_.open(settings);
        networkId_ = id != 0 ? id : networkId_;
        return id;
    }
    lastOpened_ = terminal_.get();
    const int id = terminal_->open(settings);
    terminalId_ = id != 0 ? id : terminalId_;
    return id;
}

OpenFailure PortSelectingLine::lastOpenFailure() const {
    return lastOpened_->lastOpenFailure();
}

void PortSelectingLine::close(int id) {
    if (SerialLine* line = lineFor(id)) {
        line->close(id);
        if (id == virtualId_) {
            virtualId_ = 0;
        } else if (id == networkId_) {
            networkId_ = 0;
        } else {
            terminalId_ = 0;
        }
    }
}

int PortSelectingLine::drain(int id) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->drain(id) : 0;
}

void PortSelectingLine::watchAbort(const AbortRequest* abort) {
    terminal_->watchAbort(abort);
    virtual_.watchAbort(abort);
    network_.watchAbort(abort);
}

void PortSelectingLine::watchNotices(const LogSink* notices) {
    terminal_->watchNotices(notices);
    virtual_.watchNotices(notices);
    network_.watchNotices(notices);
}

int PortSelectingLine::applyTimeouts(int id, const SerialTimeouts& timeouts) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->applyTimeouts(id, timeouts) : 0;
}

int PortSelectingLine::setSignal(int id, SerialSignal signal, int value) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->setSignal(id, signal, value) : 0;
}

int PortSelectingLine::getSignal(int id, SerialSignal signal) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->getSignal(id, signal) : 0;
}

// With no line open the shared looks see 0 until the request ends them.
bool PortSelectingLine::awaitSignal(int id, SerialSignal signal, bool on,
                                    const AbortRequest& abort) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->awaitSignal(id, signal, on, abort)
                           : SerialLine::awaitSignal(id, signal, on, abort);
}

int PortSelectingLine::inputWaiting(int id) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->inputWaiting(id) : 0;
}

bool PortSelectingLine::waitForInput(int id, std::chrono::milliseconds limit) {
    SerialLine* line = lineFor(id);
    return line != nullptr && line->waitForInput(id, limit);
}

int PortSelectingLine::read(int id, void* buffer, int count) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->read(id, buffer, count) : 0;
}

int PortSelectingLine::write(int id, const void* data, int count) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->write(id, data, count) : 0;
}

SerialError PortSelectingLine::takeErrors(int id) {
    SerialLine* line = lineFor(id);
    return line != nullptr ? line->takeErrors(id) : SerialError::None;
}

SerialLine* PortSelectingLine::lineFor(int id) {
    if (id == 0) {
        return nullptr;
    }
    if (id == virtualId_) {
        return &virtual_;
    }
    if (id == terminalId_) {
        return terminal_.get();
    }
    if (id == networkId_) {
        return &network_;
    }
    return nullptr;
}

} // namespace drovane
