#pragma once
// The call-sign dialog: call sign, and an extra tag behind a check box. It
// shows the values it is given; OK hands both to the store it was given and
// closes.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// As [global] holds them: the extra tag "null" is none.
struct CallSign {
    QString tag;
    QString extraTag;
};

class CallSignDialog : public QDialog {
    Q_OBJECT
public:
    explicit CallSignDialog(QWidget* parent = nullptr);

    using Store = std::function<void(const CallSign&)>;
    // Shows `current` modally. OK hands what is typed to `store` (an empty
    // call sign as "PA", no extra tag as "null") and closes: that comes back.
    // A value 1251 cannot spell, or a store that throws, keeps it open.
    std::optional<CallSign> Ask(const CallSign& current, const Store& store);
    void StoreCallSign();  // Button1 "ОК"

private:
    void Show(const CallSign& current);

    Store store_;
    std::optional<CallSign> stored_;
    QLineEdit* tag_;        // Edit1
    QCheckBox* hasExtra_;   // CheckBox1
    QLineEdit* extraTag_;   // Edit2
    QPushButton* ok_;       // Button1
};
