// When the whole drawing goes to the module again: a request is cheap and may
// come many times; one pending request is kept, and it starts only when the
// link is idle (no command in flight, no worker busy). The canvas asks on
// every change and again on its timer.
#pragma once

#include <string_view>

#include "editor/document/object_group.h"
#include "editor/link/serial_link.h"
#include "editor/model/device_context.h"

// "포트가 열려있지 않아서 데이터를 LCD로 전송할 수 없습니다."
inline constexpr std::string_view kNoticePortClosed =
    "\xc6\xf7\xc6\xae\xb0\xa1\x20\xbf\xad\xb7\xc1\xc0\xd6\xc1\xf6\x20\xbe\xca\xbe\xc6\xbc\xad\x20"
    "\xb5\xa5\xc0\xcc\xc5\xcd\xb8\xa6\x20\x4c\x43\x44\xb7\xce\x20\xc0\xfc\xbc\xdb\xc7\xd2\x20\xbc"
    "\xf6\x20\xbe\xf8\xbd\xc0\xb4\xcf\xb4\xd9\x2e";

enum class VyUpdateStart { kNothing, kStarted, kPortClosed };

class CVylLcdUpdateScheduler {
  public:
    CVylLcdUpdateScheduler(CVylMSComm* link, const CVylDeviceContext& dc)
        : m_link(link), m_dc(dc) {}

    // Marks a full update as wanted and starts it if the link is idle.
    VyUpdateStart RequestUpdate(const CVylObjectGroup& drawing);
    // Starts the pending update when the link is idle. The request is used up
    // even when the port turns out to be closed (the caller shows the notice).
    VyUpdateStart TryToStartUpdatingLcd(const CVylObjectGroup& drawing);

  private:
    bool IsLinkIdle() const;

    CVylMSComm* m_link;
    const CVylDeviceContext& m_dc;
};
