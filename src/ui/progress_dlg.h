// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

/// The small modeless window shown while a long command runs: what is going on, a second line
/// of detail and a progress bar. Esc (or the close box) rejects it and emits canceled(); the
/// command that opened it decides what that means. Enter does nothing.
class CProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CProgressDlg(QWidget* owner);

    /// Shows the window; the same as Restart.
    void Open(bool setRange, int upperBound, const QString& status, const QString& detail);
    /// When `setRange` is true the bar's range becomes 0 to `upperBound`, otherwise it keeps its
    /// range. Then the window is shown in front, the bar set to 0 with a step of 1, and the
    /// texts set.
    void Restart(bool setRange, int upperBound, const QString& status, const QString& detail);
    void SetTexts(const QString& status, const QString& detail);

    void SetRange(int lower, int upper);
    void SetPosition(int position);
    void SetStep(int step) { m_nStep = step; }

    int Position() const;
    int Minimum() const;
    int Maximum() const;
    int Step() const { return m_nStep; }
    QString Status() const { return m_strStatus; }
    QString Detail() const { return m_strDetail; }

public slots:
    /// Advances the bar by its step; past the end it starts over at the beginning.
    void OnStepIt();
    /// Enter and the hidden "STOP" button: the window stays.
    void OnOK() {}
    void accept() override { OnOK(); }
    void reject() override;

signals:
    /// The user asked to stop (Esc or the close box).
    void canceled();

private:
    void CreateControls();

    QPushButton* m_btnStop;   ///< hidden default button, Qt child
    QProgressBar* m_progress; ///< Qt child
    QLabel* m_labelStatus;    ///< shows m_strStatus, Qt child
    QLabel* m_labelDetail;    ///< shows m_strDetail, Qt child
    QLabel* m_animate;        ///< room for an animation; shows nothing, Qt child
    QString m_strStatus;
    QString m_strDetail;
    int m_nStep = 1;
};
