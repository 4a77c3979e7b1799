#pragma once
// The large text editor: a borderless window over the screen's middle in
// which the command editor's text is edited at ease. A double-click in the
// text hands it back; any other way of closing drops it.

#include <QDialog>
#include <optional>
#include <string>

class Memo;
class ChatMarks;

class LargeTextEditor : public QDialog {
    Q_OBJECT
public:
    explicit LargeTextEditor(QWidget* parent = nullptr);

    // Shows the editor modally with `text`, long lines measured with the
    // echo of `nick`; the edited text when the user finished with a
    // double-click, nothing otherwise.
    std::optional<QString> Edit(const QString& text, const std::string& nick);
    Memo* Memo1() const { return text_; }
    ChatMarks* Marks() const { return marks_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    Memo* text_ = nullptr;  // Memo1
    ChatMarks* marks_ = nullptr;
};
