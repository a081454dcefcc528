#pragma once
// "Connect": the COM port and the unit ID to greet. OK runs the ConnectProcedure and the
// dialog ends with OK once the unit has answered all of it. Beside each COM entry stands
// the device it opens on this machine, when the caller gives them. "Find units" scans the
// chosen port (UnitScanProcedure) and lists the units that answered; picking one chooses
// its ID. While the scan runs the button stops it, and nothing else can start or close.

#include "link/procedure_dialog.h"

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace mqx {

class ConnectProcedure;
class UnitScanProcedure;

class ConnectDialog : public ProcedureDialog {
public:
    // `port` 1..4 and `unitId` 1..99 are preselected; `devices` holds what COM1..COM4
    // stand for.
    ConnectDialog(ConnectProcedure& procedure, int port, int unitId, QWidget* parent = nullptr,
                  const QStringList& devices = {});
    ~ConnectDialog() override;

    QComboBox* portBox() const { return m_ports; }
    QListWidget* unitList() const { return m_units; }
    // The device of the port chosen.
    QLabel* deviceLabel() const { return m_device; }
    QPushButton* findButton() const { return m_find; }
    QProgressBar* scanProgress() const { return m_progress; }
    // The units the last scan found, and what it said when it found none.
    QListWidget* foundList() const { return m_found; }
    QLabel* scanLabel() const { return m_scanText; }
    bool isScanning() const;

    void reject() override;

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    void onFind();
    void scanFinished();
    void showFound();

    ConnectProcedure& m_procedure;
    std::unique_ptr<UnitScanProcedure> m_scan;
    QPushButton* m_find = nullptr;
    QProgressBar* m_progress = nullptr;
    QListWidget* m_found = nullptr;
    QLabel* m_scanText = nullptr;
    QComboBox* m_ports = nullptr;
    QListWidget* m_units = nullptr;
    QLabel* m_device = nullptr;
};

} // namespace mqx
