// CDlgSysOpt: "통신 설정", the serial port and baud rate. The port is opened
// with the new settings before they are accepted and saved. "자동 감지"
// finds the rate the chosen port's module answers at and only selects it.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "editor/frame/baud_probe_task.h"
#include "editor/link/serial_link.h"
#include "editor/vyedit_export.h"

class CVylCanvas;
class QComboBox;
class QLabel;
class QPushButton;

class VYEDIT_EXPORT CDlgSysOpt : public QDialog {
    Q_OBJECT

  public:
    // devicesFolder is where the machine's serial devices are looked for.
    CDlgSysOpt(CVylMSComm& link, std::string commConfigPath, CVylCanvas* canvas,
               QWidget* parent = nullptr, const std::string& devicesFolder = "/dev");
    // A probe still running is given up, and the link gets its port back.
    ~CDlgSysOpt() override;

    // Shows the settings in the lists.
    void ConfigToCtrls(const CVylMSCommConfig& config);
    // Stores the lists' choice in the settings and opens the port with them
    // (the failure is told); 1 when it opened.
    int CtrlsToConfig(CVylMSCommConfig& config);
    // "적용": opened, the settings are saved and the dialog ends.
    void OnApply();
    // "자동 감지": probes the chosen port; the link lets go of it meanwhile
    // when it is the link's own.
    void OnProbe();

    QComboBox* PortList() const { return m_ports; }
    QComboBox* BaudList() const { return m_bauds; }
    QPushButton* ProbeButton() const { return m_probe; }
    // What the last probe found, or "감지 중..." while one runs.
    QString ProbeText() const;

  private:
    // The chosen port's device path.
    std::string ChosenDevice() const;
    // Stores the port list's choice in config.
    void PortToConfig(CVylMSCommConfig& config) const;
    void SetProbing(bool probing);
    void OnProbeDone(const VyBaudProbeResult& result);
    void SelectBaud(uint32_t baud);
    // Reopens the link's port if a probe took it; false when it failed.
    bool TakeLinkPortBack(VyPortNotice* notice);

    CVylMSComm& m_link;
    std::string m_commConfigPath;
    CVylCanvas* m_canvas;
    QComboBox* m_ports = nullptr;
    QComboBox* m_bauds = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_probe = nullptr;
    QLabel* m_probeText = nullptr;
    bool m_linkPortTaken = false;
    CVylBaudProbeTask m_probeTask;
};
