// CVylMSComm: the one serial link between the editor and the LCD module. It
// opens the port its settings name, sends command bytes on a worker of its
// own pool with one command in flight, and counts the module's answers.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editor/command/command_bytes.h"
#include "editor/link/lcd_option_commands.h"
#include "editor/link/lcd_screen_mirror.h"
#include "editor/link/link_config.h"
#include "editor/link/link_credits.h"
#include "editor/link/port_notices.h"
#include "editor/link/serial_control.h"
#include "editor/link/task_pool.h"
#include "editor/link/update_progress.h"
#include "editor/model/device_context.h"

class VYEDIT_EXPORT CVylMSComm : public CVylMSCommConfig {
  public:
    CVylMSComm();
    ~CVylMSComm() override;
    CVylMSComm(const CVylMSComm&) = delete;
    CVylMSComm& operator=(const CVylMSComm&) = delete;

    // Asks the user for new settings when the port does not open; true when
    // the user applied settings (which then are in this link), false on cancel.
    using SettingsAsker = std::function<bool(CVylMSComm& link, const VyPortNotice& notice)>;

    // Prepares the pool, resets the credits, loads the settings file and opens
    // the port, asking again until it opens or the user gives up (0).
    int Initialize(const std::string& settingsPath, const SettingsAsker& askUser);
    void Finalize();
    // Opens the port the settings name; 1 on success, else 0 with the notice.
    int OpenPort(VyPortNotice* notice = nullptr);
    bool IsPortOpen() const { return m_control && m_control->IsOpen(); }
    // How many times a port opened: a closed port after the n-th opening is
    // one outage, whichever way it closed.
    int64_t GetOpenCount() const { return m_openCount; }
    // The open port went away under the link (unplugged, hung up, failed):
    // it was closed, and the settings' port has not opened again since.
    bool IsPortLost() const { return m_lost; }
    const std::string& GetLostReason() const { return m_lostReason; }
    // On the GUI thread, now and then: a port whose writes failed or whose
    // device node is gone counts as lost. True when it was found lost now.
    bool CheckPortHealth();
    // Opens the settings' port again without asking anybody; true when the
    // port is open afterwards.
    bool TryReconnect();
    // The open port and its settings ("COM1: 19200,N,8,1" or a device path);
    // before any port opened, the settings' own.
    std::string PortStateText() const;

    // Also forgets what the module's screen holds: a transfer may be cut.
    void InitCredits();
    // The module wants the whole screen once the link is idle: a request
    // that, unlike the pending update, outlives a transfer giving up.
    void RequestResend() {
        m_resendWanted = true;
        m_mirror.Forget();
    }
    bool IsResendWanted() const { return m_resendWanted; }
    void ClearResendWanted() { m_resendWanted = false; }
    void UrgeStop() { m_credits.UrgeStop(); }
    int32_t GetNotReturnedCmdCount() const { return m_credits.GetNotReturnedCmdCount(); }
    void DecreaseNotReturnedCmdCount(int32_t n) { m_credits.DecreaseNotReturnedCmdCount(n); }
    CVylLinkCredits& Credits() { return m_credits; }
    CFxMLThreadPool& Pool() { return m_pool; }
    // The last full LCD update's size and how many of its commands are done.
    CVylUpdateProgress& Progress() { return m_progress; }
    VyUpdateProgress GetUpdateProgress() const { return m_progress.Get(); }
    CVylSerialControl* Control() { return m_control.get(); }
    // What the module's screen holds, for updates of only what changed.
    CVylLcdScreenMirror& ScreenMirror() { return m_mirror; }
    // Updates send only what changed instead of the whole screen.
    void SetSendOnlyChanges(bool on) { m_onlyChanges = on; }
    bool IsSendOnlyChanges() const { return m_onlyChanges; }
    // Whether the display settings sent leave the screen plain enough to
    // erase and redraw parts of it.
    bool IsPlainDisplayMode() const { return m_displayModes.IsPlain(); }
    // Whether the module answered anything but acknowledgements since the
    // port opened (an answer in another language: old firmware).
    bool HasForeignAnswer() const { return m_foreignAnswer; }
    // A rate probe needs the open port's device to itself: true when the port
    // open at device was let go; OpenPort with the unchanged settings then
    // takes it back. Refused when the settings no longer name the open port.
    bool ReleasePortForProbe(const std::string& device);

    // Starts a transfer of the bytes (the lengths cut them into commands) on
    // an idle worker and returns at once; 0 when no worker could be had.
    int InvokeDispatchBytes(const CVylDeviceContext& dc, const VyByteArray& bytes,
                            const VyLengthArray* lengths);
    static void DoWhat_DispatchBytes(CFxAssignGroupEx& arguments);

    // Received bytes: every "K" acknowledges one command. Observers (the
    // status strip) are told after the count was lowered.
    void OnReceived(const std::string& bytes);
    void SetReceiveObserver(std::function<void(const std::string&)> observer) {
        m_receiveObserver = std::move(observer);
    }
    // Told on the GUI thread when the open port went away (it is closed).
    void SetLostObserver(std::function<void(const std::string&)> observer) {
        m_lostObserver = std::move(observer);
    }

  private:
    // Ends any transfer, closes the open port and waits until no worker runs.
    void ReleaseOpenPort();
    void UseControlFor(bool wantVirtual);
    // Stops every transfer and waits until no worker runs one.
    void StopTransfers();
    void OnPortLost(const std::string& reason);

    CVylLinkCredits m_credits;
    CVylUpdateProgress m_progress;
    std::unique_ptr<CVylSerialControl> m_control;
    bool m_controlIsVirtual = false;
    std::string m_openDevice;
    int64_t m_openCount = 0;
    bool m_lost = false;
    std::string m_lostReason;
    bool m_foreignAnswer = false;
    bool m_onlyChanges = false;
    bool m_resendWanted = false;
    bool m_lentForProbe = false;
    CVylDisplayModes m_displayModes;
    CVylLcdScreenMirror m_mirror;
    std::string m_openStateText;
    int32_t m_handle = 0;
    std::function<void(const std::string&)> m_receiveObserver;
    std::function<void(const std::string&)> m_lostObserver;
    // Last member: destroyed first, waiting for running transfers.
    CFxMLThreadPool m_pool;
};
