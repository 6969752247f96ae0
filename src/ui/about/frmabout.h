#pragma once
#include "platform/gui/formbase.h"
#include "shell/aboutinfo.h"

class QLabel;
class QPushButton;

// The About window: title, version, description, terms of use, credit, the
// author's two links and the System Information button. Shown modally.
class frmAbout : public platform::FormBase {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void StartSysInfo();
    bool GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lblHyperlink_Click(int index);
    void lblHyperlink_MouseMove(int index);
    void Form_MouseMove();
    void showHover();
    int linkIndex(QObject* watched) const;

    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* Label1_;
    QLabel* lblDisclaimer_;
    QLabel* lblHyperlink_[2];
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    about::LinkHover hover_;
    int pressedLink_ = -1;
};
