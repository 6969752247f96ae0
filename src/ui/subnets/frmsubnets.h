#pragma once
#include "model/planner.h"
#include "ui/extrawindow.h"

#include <QPointer>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class PlanBar;
class SubnetModel;
class SubnetView;
class frmMain;

// Every subnet of the main window's class network, one row each, the
// address's own row selected; and a planner that splits the same network by
// host counts. Follows the main window; a double-click shows a row there.
class frmSubnets : public ExtraWindow {
    Q_OBJECT
public:
    explicit frmSubnets(QWidget* parent = nullptr);

    // Most rows Ctrl+C copies; more are for the terminal.
    static constexpr int MaxCopyRows = 65536;

    // Shows the rows for an address and mask length (8 to 32), its row current.
    void setAddress(std::uint32_t address, int maskBits);
    // Puts the selected rows on the clipboard, or says why not.
    void CopyRows();
    // Plans the planner line's requests within the planned network.
    void Plan();

    SubnetModel* model() const { return model_; }
    SubnetView* view() const { return lvSubnets_; }
    // The block the planner splits: the class network, or the supernet.
    net::Network4 plannedNetwork() const;

protected:
    void applyZoom(int percent) override;
    void showEvent(QShowEvent* event) override;

private:
    void followMain();
    void rowActivated(int row);
    void showTitle();
    void showPlan(const net::Plan<32>& plan, const std::vector<net::PlanRequest>& requests);
    void clearPlan();

    QPointer<frmMain> main_;
    SubnetModel* model_;
    QLabel* lblNetwork_;
    SubnetView* lvSubnets_;
    QLabel* lblStatus_;
    QGroupBox* fraPlanner_;
    QLabel* lblPlan_;
    QLineEdit* txtPlan_;
    QCheckBox* chkRFC3021_;
    QLabel* lblPlanProblem_;
    QLabel* lblPlanNetwork_;
    PlanBar* picPlan_;
    QTreeWidget* lvPlan_;
};
