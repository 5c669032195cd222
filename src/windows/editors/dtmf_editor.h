#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace editors {

// Form2: the DTMF window. Its texts are Chinese in every language. Only the
// PTT-ID code (Text2) and the own code (Text3) reach the memory image; the
// dial memories and the three lists live only while the program runs.
class DtmfEditor : public QWidget {
    Q_OBJECT
  public:
    static constexpr int DialMemoryCount = 8;

    explicit DtmfEditor(QWidget* parent = nullptr);
    ~DtmfEditor() override;

    // Puts every control back to its default.
    void StartForm();

    // The codes the image encoder writes and the decoder may show. A set
    // text keeps only DTMF characters (letters in upper case) and is cut to
    // the box's length.
    QString pttIdCode() const;
    void setPttIdCode(const QString& code);
    QString ownCode() const;
    void setOwnCode(const QString& code);

    QSize sizeHint() const override;

  signals:
    // A user action changed what the image holds of this window; emitted
    // once, when it is complete.
    void edited();

  private:
    QFrame* createPageSwitch(QWidget* parent);
    QGroupBox* createDialMemories(QWidget* parent);
    QGroupBox* createOtherFunctions(QWidget* parent);
    QLineEdit* createCodeBox(const QString& name, int maxLength, QWidget* parent);
    void showDialMemories();
    void showOtherFunctions();
    void setCode(QLineEdit* box, const QString& code);

    QFrame* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QLabel*, DialMemoryCount> Label1{};
    std::array<QLineEdit*, DialMemoryCount> Text1{};
    QComboBox* Combo16 = nullptr;
    QComboBox* Combo17 = nullptr;
    QComboBox* Combo18 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
};

} // namespace editors
