// CDlgSysOpt: "통신 설정", the serial port and baud rate. The port is opened
// with the new settings before they are accepted and saved.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "editor/link/serial_link.h"
#include "editor/vyedit_export.h"

class CVylCanvas;
class QComboBox;

class VYEDIT_EXPORT CDlgSysOpt : public QDialog {
    Q_OBJECT

  public:
    // devicesFolder is where the machine's serial devices are looked for.
    CDlgSysOpt(CVylMSComm& link, std::string commConfigPath, CVylCanvas* canvas,
               QWidget* parent = nullptr, const std::string& devicesFolder = "/dev");

    // Shows the settings in the lists.
    void ConfigToCtrls(const CVylMSCommConfig& config);
    // Stores the lists' choice in the settings and opens the port with them
    // (the failure is told); 1 when it opened.
    int CtrlsToConfig(CVylMSCommConfig& config);
    // "적용": opened, the settings are saved and the dialog ends.
    void OnApply();

    QComboBox* PortList() const { return m_ports; }
    QComboBox* BaudList() const { return m_bauds; }

  private:
    CVylMSComm& m_link;
    std::string m_commConfigPath;
    CVylCanvas* m_canvas;
    QComboBox* m_ports = nullptr;
    QComboBox* m_bauds = nullptr;
};
