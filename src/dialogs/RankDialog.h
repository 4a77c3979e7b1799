#pragma once
// The rank dialog: an editable list of the 13 ranks. It keeps its text between
// openings and never reads the stored rank; OK stores the rank, tells the
// home page and asks the companion to reload.

#include <QDialog>

class QComboBox;
class QPushButton;
class Session;
class SyncHandshake;

class RankDialog : public QDialog {
    Q_OBJECT
public:
    RankDialog(Session& session, SyncHandshake& sync, QWidget* parent = nullptr);

    void StoreRank();  // Button1 "OK"

signals:
    void rankStored(const QString& rank);

private:
    Session& session_;
    SyncHandshake& sync_;
    QComboBox* comboBox1_;
    QPushButton* button1_;
};
