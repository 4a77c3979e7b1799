#pragma once
// The rank dialog: an editable list of the 13 ranks. It keeps its text between
// openings and never reads the stored rank; OK hands the rank to the store
// it was given and closes.

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QPushButton;

class RankDialog : public QDialog {
    Q_OBJECT
public:
    explicit RankDialog(QWidget* parent = nullptr);

    using Store = std::function<void(const QString& rank)>;
    // Shows the dialog modally. OK hands the typed rank to `store` and
    // closes: the rank comes back. A store that throws keeps the dialog open
    // (the error is shown); the close box gives nothing.
    std::optional<QString> Ask(const Store& store);
    void StoreRank();  // Button1 "OK"

private:
    Store store_;
    std::optional<QString> stored_;
    QComboBox* ranks_;  // ComboBox1
    QPushButton* ok_;   // Button1
};
