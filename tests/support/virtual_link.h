// The link on the built-in virtual module, as the scheduling tests use it.
#pragma once

#include <QCoreApplication>
#include <chrono>

#include "editor/link/serial_link.h"
#include "editor/link/virtual_serial_control.h"

// Commands the virtual module has taken since its port opened.
inline int64_t VirtualModuleCommands(CVylMSComm& link) {
    return dynamic_cast<CVylVirtualSerialControl*>(link.Control())->GetCommandCount();
}

inline CVylLcdFrame VirtualModuleScreen(CVylMSComm& link) {
    return dynamic_cast<CVylVirtualSerialControl*>(link.Control())->GetFrame();
}

// Runs the event loop until the link is idle again (every command
// answered, no worker busy); false after 5 s.
inline bool WaitLinkIdle(CVylMSComm& link) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        if (link.GetNotReturnedCmdCount() == 0 && !link.Pool().IsAnyWorkerBusy()) {
            return true;
        }
    }
    return false;
}
