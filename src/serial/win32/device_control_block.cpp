#include "serial/win32/device_control_block.h"

#include "serial/flow_control.h"

namespace drovane {

namespace {

void applyHandshake(DCB& dcb, const SerialSettings& settings) {
    switch (settings.handshake) {
    case Handshake::NoHandshake:
        dcb.fOutxCtsFlow = FALSE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        break;
    case Handshake::RtsHandshake:
        dcb.fOutxCtsFlow = FALSE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        break;
    case Handshake::RtsCts:
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        break;
    case Handshake::XonXoff: {
        const FlowLimits limits = flowLimits(settings.inputBufferSize);
        dcb.fOutX = TRUE;
        dcb.fInX = TRUE;
        dcb.XonLim = limits.xonLim;
        dcb.XoffLim = limits.xoffLim;
        dcb.XonChar = static_cast<char>(kDefaultXon);
        dcb.XoffChar = static_cast<char>(kDefaultXoff);
        break;
    }
    }
}

} // namespace

BYTE stopBitsCode(double stopBits) {
    if (stopBits == 1.0) {
        return ONESTOPBIT;
    }
    if (stopBits == 2.0) {
        return TWOSTOPBITS;
    }
    return ONE5STOPBITS;
}

DCB steppingDcb(const DCB& wanted) {
    DCB step = wanted;
    step.StopBits = wanted.StopBits == ONESTOPBIT ? TWOSTOPBITS : ONESTOPBIT;
    return step;
}

bool applyDcb(const DCB& wanted, const DcbRequest& request) {
    if (request(wanted)) {
        return true;
    }
    // The step may be refused as well; only the wanted block counts.
    [[maybe_unused]] const bool stepped = request(steppingDcb(wanted));
    return request(wanted);
}

DCB buildDcb(const DCB& current, const SerialSettings& settings) {
    DCB dcb = current;
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.Parity = settings.parity;
    dcb.ByteSize = settings.dataBits;
    dcb.StopBits = stopBitsCode(settings.stopBits);
    // Checked for every parity, none included.
    dcb.fParity = TRUE;
    // Windows takes nothing else.
    dcb.fBinary = TRUE;
    // Left on by another program, it would fail every read and write after
    // the first line error until someone fetched it.
    dcb.fAbortOnError = FALSE;
    applyHandshake(dcb, settings);
    return dcb;
}

} // namespace drovane
