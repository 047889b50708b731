// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QtGlobal>

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class RecorderSession;

// The copy of the recorder's two-line front-panel display, with the eight
// audio level meters beside it. The display keeps its two lines of 20
// characters and shows them on the Control page, or on the second copy of the
// Segment page while another page is shown. The upper line carries the time
// code (or a time being typed), the lower one the recorder's menu text with
// the transport word at its end.
class PanelDisplay : public QGroupBox
{
    Q_OBJECT

public:
    PanelDisplay(RecorderSession &session, QWidget *parent);

    void languageChange();

    // The Segment page's copy of the two lines.
    void SetSecondLines(QLineEdit *upper, QLineEdit *lower);
    // The second copy starts with what the first shows.
    void CopyToSecondLines();

    // The lines as the display holds them, 20 characters each.
    QString TimeLine() const;
    QString MenuLine() const;
    // The upper line as the recorder's time last filled it, whatever the
    // line shows meanwhile.
    QString TimecodeTemplate() const;

    // Writers. A text is cut at its first NUL and at 20 characters.
    // WriteTimeLine leaves the upper line alone while a time is typed on the
    // keypad; WriteMenuLine only stores the lower line while the device's
    // silentUpdate is set; WriteFuncString puts the transport word (at most 7
    // characters) at the end of the lower line.
    void WriteTimeLine(const QByteArray &text);
    void WriteMenuLine(const QByteArray &text);
    void WriteFuncString(const QByteArray &word);
    // Shows the recorder's time (frames, seconds, minutes, hours as it sends
    // them) on the upper line, unless a panel mode holds the display.
    void ShowTimecode(const std::array<quint8, 4> &time);
    // The answer of the version key, and of any other display key.
    void ShowVersionReply();
    void ShowDisplayReply();

    // Levels 0-15; the meters show anything above their scale as full.
    void ShowMeters(const std::array<quint8, 8> &levels);

    QLineEdit *lineLCD1 = nullptr; // upper line: time code or typed time
    QLineEdit *lineLCD3 = nullptr; // lower line: transport word or menu text
    QProgressBar *A1 = nullptr;
    QProgressBar *A2 = nullptr;
    QProgressBar *A3 = nullptr;
    QProgressBar *A4 = nullptr;
    QProgressBar *A5 = nullptr;
    QProgressBar *A6 = nullptr;
    QProgressBar *A7 = nullptr;
    QProgressBar *A8 = nullptr;

private:
    QWidget *BuildMeters();
    std::array<QProgressBar *, 8> Meters() const;
    QLineEdit *UpperLine() const;
    QLineEdit *LowerLine() const;
    void ShowLowerLine(bool repaint);
    void SetLowerLineFont(int length);

    RecorderSession &session;
    QLineEdit *lineLCD2 = nullptr;
    QLineEdit *lineLCD4 = nullptr;
    std::array<QLabel *, 8> meterLabels{};

    // 20 characters and a NUL each. The time-code template is the upper line
    // as the recorder's time last filled it.
    std::array<char, 21> timeLine{};
    std::array<char, 21> menuLine{};
    std::array<char, 21> timecodeTemplate{};
};
