#include "editor/link/serial_link.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "editor/link/link_dispatch.h"
#include "editor/link/serial_port.h"
#include "editor/link/tty_serial_control.h"
#include "editor/link/virtual_serial_control.h"
#include "editor/tree/decimal_text.h"
#include "editor/virtual_lcd/lcd_unifont.h"

namespace {

// "번 포트가 열리지 않습니다."
constexpr std::string_view kPortRefused =
    "\xb9\xf8\x20\xc6\xf7\xc6\xae\xb0\xa1\x20\xbf\xad\xb8\xae\xc1\xf6\x20\xbe\xca\xbd\xc0\xb4\xcf"
    "\xb4\xd9\x2e";

// Tasks name their link by a handle: argument trees hold 32-bit integers, and
// a task must not reach a link that is gone.
std::mutex g_linksMutex;
std::unordered_map<int32_t, CVylMSComm*> g_links;
int32_t g_nextHandle = 1;

CVylMSComm* FindLink(int32_t handle) {
    std::lock_guard<std::mutex> lock(g_linksMutex);
    const auto it = g_links.find(handle);
    return it == g_links.end() ? nullptr : it->second;
}

std::string PortName(const CVylMSCommConfig& config) {
    const std::string device = config.GetString("device");
    return device.empty() ? DecimalText(config.GetPort()) : device;
}

CRevolver LengthBytes(const VyLengthArray& lengths) {
    CRevolver bytes;
    for (uint32_t length : lengths) {
        const uint8_t raw[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                static_cast<uint8_t>(length >> 16),
                                static_cast<uint8_t>(length >> 24)};
        bytes.Append(raw, 4);
    }
    return bytes;
}

VyLengthArray LengthsFrom(std::string_view raw) {
    VyLengthArray lengths;
    for (size_t i = 0; i + 4 <= raw.size(); i += 4) {
        lengths.push_back(static_cast<uint32_t>(static_cast<uint8_t>(raw[i])) |
                          static_cast<uint32_t>(static_cast<uint8_t>(raw[i + 1])) << 8 |
                          static_cast<uint32_t>(static_cast<uint8_t>(raw[i + 2])) << 16 |
                          static_cast<uint32_t>(static_cast<uint8_t>(raw[i + 3])) << 24);
    }
    return lengths;
}

int Refuse(VyPortNotice* out, const VyPortNotice& notice) {
    if (out != nullptr) {
        *out = notice;
    }
    return 0;
}

}  // namespace

CVylMSComm::CVylMSComm() : m_mirror(&CVylUnifont::System()) {
    std::lock_guard<std::mutex> lock(g_linksMutex);
    m_handle = g_nextHandle++;
    g_links[m_handle] = this;
}

CVylMSComm::~CVylMSComm() {
    // A closed port fails any write still to come, so every transfer ends.
    Finalize();
    StopTransfers();
    std::lock_guard<std::mutex> lock(g_linksMutex);
    g_links.erase(m_handle);
}

void CVylMSComm::StopTransfers() {
    // Asked again and again: a task that only now starts clears one request.
    while (m_pool.IsAnyWorkerBusy()) {
        m_credits.UrgeStop();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string CVylMSComm::PortStateText() const {
    return m_openStateText.empty() ? CVylMSCommConfig::PortStateText() : m_openStateText;
}

int CVylMSComm::Initialize(const std::string& settingsPath, const SettingsAsker& askUser) {
    m_pool.Setup(30, 10, 10);
    m_pool.SetStopMode(CFxMLThreadPool::kStopInfinite);
    InitCredits();
    LoadSettings(settingsPath);
    VyPortNotice notice;
    while (!OpenPort(&notice)) {
        if (!askUser || !askUser(*this, notice)) {
            return 0;
        }
    }
    return 1;
}

void CVylMSComm::InitCredits() {
    m_credits.InitCredits();
    m_mirror.Forget();
}

void CVylMSComm::Finalize() {
    if (m_control && m_control->IsOpen()) {
        m_control->Close();
    }
}

void CVylMSComm::ReleaseOpenPort() {
    // Closed before the workers are waited for: a closed port makes a writer
    // give up at once, and a transfer must not go on to another device.
    m_credits.InitCredits();
    if (m_control) {
        m_control->Close();
    }
    StopTransfers();
    m_openDevice.clear();
}

void CVylMSComm::UseControlFor(bool wantVirtual) {
    if (m_control && wantVirtual == m_controlIsVirtual) {
        return;
    }
    if (wantVirtual) {
        m_control = std::make_unique<CVylVirtualSerialControl>();
    } else {
        m_control = std::make_unique<CVylTtySerialControl>();
    }
    m_controlIsVirtual = wantVirtual;
    m_control->SetReceiver([this](const std::string& bytes) { OnReceived(bytes); },
                           [this](const std::string& reason) { OnPortLost(reason); });
}

int CVylMSComm::OpenPort(VyPortNotice* notice) {
    // Whoever opens the port now ends a probe's loan of it.
    m_lentForProbe = false;
    const std::string device = GetDevicePath();
    const auto baud = static_cast<uint32_t>(GetBaudRate());
    const VyPortNotice refused{PortName(*this) + std::string(kPortRefused), ""};
    if (m_control && m_control->IsOpen() && m_openDevice == device) {
        // The port is ours already: only the rate is applied.
        if (baud == 0 || !m_control->ApplyBaud(baud)) {
            return Refuse(notice, refused);
        }
        m_openStateText = CVylMSCommConfig::PortStateText();
        return 1;
    }
    // A port that failed under a transfer still holds its device: let it go.
    if (m_control && !m_control->IsOpen()) {
        ReleaseOpenPort();
    }
    const bool wantVirtual = device == kVirtualDevice;
    if (const int error = wantVirtual ? 0 : CVylSerialPort::OpenFailure(device); error != 0) {
        return Refuse(notice, PortOpenNotice(PortName(*this), device, error));
    }
    if (baud == 0) {
        return Refuse(notice, refused);
    }
    ReleaseOpenPort();
    UseControlFor(wantVirtual);
    if (!m_control->Open(device, baud).empty()) {
        return Refuse(notice, refused);
    }
    m_openDevice = device;
    m_openStateText = CVylMSCommConfig::PortStateText();
    m_credits.SetPortFailed(false);
    ++m_openCount;
    m_lost = false;
    m_lostReason.clear();
    m_foreignAnswer = false;
    // Whatever the module shows now, nobody here drew it.
    m_mirror.Forget();
    return 1;
}

void CVylMSComm::OnPortLost(const std::string& reason) {
    // A vanished port can answer nothing: the transfer ends, and the
    // device is let go so that it can come back under its name.
    ReleaseOpenPort();
    m_mirror.Forget();
    m_lost = true;
    m_lostReason = reason;
    if (m_lostObserver) {
        m_lostObserver(reason);
    }
}

bool CVylMSComm::CheckPortHealth() {
    if (m_lost || m_openDevice.empty() || m_controlIsVirtual) {
        return false;
    }
    if (m_control && !m_control->IsOpen()) {
        OnPortLost("writing to the port failed");
        return true;
    }
    if (::access(m_openDevice.c_str(), F_OK) != 0 && errno == ENOENT) {
        OnPortLost("the device is gone");
        return true;
    }
    return false;
}

bool CVylMSComm::TryReconnect() {
    if (IsPortOpen() || m_lentForProbe) {
        return IsPortOpen();
    }
    return OpenPort(nullptr) == 1;
}

void CVylMSComm::OnReceived(const std::string& bytes) {
    const int32_t answers = CountAcknowledgements(bytes);
    if (static_cast<size_t>(answers) != bytes.size()) {
        m_foreignAnswer = true;
    }
    m_progress.Acknowledge(answers);
    m_credits.DecreaseNotReturnedCmdCount(answers);
    if (m_receiveObserver) {
        m_receiveObserver(bytes);
    }
}

int CVylMSComm::InvokeDispatchBytes(const CVylDeviceContext& dc, const VyByteArray& bytes,
                                    const VyLengthArray* lengths) {
    CFxAssignGroupEx arguments;
    arguments.SetInt("comm", m_handle);
    arguments.SetBytes("new_byte_arr",
                       CRevolver::FromBytes(std::string_view(
                           reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    if (lengths != nullptr) {
        arguments.SetBytes("new_len_arr", LengthBytes(*lengths));
    }
    arguments.SetString("device_context", dc.GetString("model"));
    if (lengths == nullptr) {
        m_displayModes.Note(bytes);
    }
    return m_pool.StartTask(&CVylMSComm::DoWhat_DispatchBytes, &arguments);
}

void CVylMSComm::DoWhat_DispatchBytes(CFxAssignGroupEx& arguments) {
    CVylMSComm* link = FindLink(arguments.GetInt("comm", 0));
    if (link == nullptr || link->m_control == nullptr) {
        return;
    }
    const CFxAssignEntry* bytes = arguments.Find("new_byte_arr");
    const CFxAssignEntry* lengthBytes = arguments.Find("new_len_arr");
    if (bytes == nullptr) {
        return;
    }
    const VyLengthArray lengths =
        lengthBytes != nullptr ? LengthsFrom(lengthBytes->Bytes().View()) : VyLengthArray();
    DispatchBytes(link->m_credits, *link->m_control, bytes->Bytes().View(),
                  lengthBytes != nullptr ? &lengths : nullptr);
}

bool CVylMSComm::ReleasePortForProbe(const std::string& device) {
    // The same device under another name (a by-id link) counts as the same.
    std::error_code error;
    const bool same =
        m_openDevice == device || std::filesystem::equivalent(m_openDevice, device, error);
    // Only a port the settings still describe can be taken back as it was.
    if (!same || m_controlIsVirtual || !IsPortOpen() ||
        m_openStateText != CVylMSCommConfig::PortStateText()) {
        return false;
    }
    ReleaseOpenPort();
    // Not an outage: nobody tries to reopen it under the probe's feet.
    m_lentForProbe = true;
    return true;
}
