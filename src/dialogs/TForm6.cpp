#include "dialogs/TForm6.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "GuiGeneral/SharedState.h"
#include "guibase/QtText.h"
#include "GuiGeneral/KeyConflicts.h"
#include "GuiGeneral/TForm1.h"
#include "guibase/ErrorGuard.h"
#include "guibase/Platform.h"
#include "guibase/Prompts.h"
#include "dialogs/HookSwitch.h"
#include "dialogs/Keyboard.h"
#include "dialogs/NumLock.h"
#include "dialogs/RecordSwitch.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/KeyVocabulary.h"
#include "widgets/KeyShape.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

namespace {

constexpr int kMaxKeys = 3;
const char* const kHotkeys = "hotkeys";
const char* const kKeys = "keys";
const QString kDisabled = QStringLiteral(" ");
const QString kNone = QStringLiteral("None");
const QColor kNumLockOn(0x00, 0xFF, 0x00);
const QColor kNumLockOff(0xFF, 0xFF, 0xFF);

// A shape's token: its name after the first "_" ("Key_VK70").
QString TokenOf(const KeyShape* shape)
{
    return shape->objectName().section(QLatin1Char('_'), 1, -1);
}

KeyShape::Form ShapeForm(keyboard::CapKind kind)
{
    switch (kind) {
    case keyboard::CapKind::MouseButton:
        return KeyShape::Form::Plain;
    case keyboard::CapKind::MouseWheel:
        return KeyShape::Form::Round;
    default:
        return KeyShape::Form::OutlinedRound;
    }
}

}  // namespace

TForm6::TForm6(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Клава"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(1060, 324);
    setModal(true);
    look::SetBackground(this, look::kWindow);
    setFont(look::SansSerif());
    BuildKeyboard();
    BuildControls();
}

void TForm6::BuildKeyboard()
{
    // The picture itself is painted at the first show, not at start-up.
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(QRect(QPoint(0, 0), keyboard::kPictureSize));

    for (const keyboard::Cap& cap : keyboard::Caps()) {
        if (cap.token.empty()) continue;
        const QString token = ToQString(cap.token);
        auto* shape = new KeyShape(this, QStringLiteral("Key_") + token, cap.rect, ShapeForm(cap.kind),
                                   QString::fromStdString(hotkeys::KeyCaption(cap.token)));
        connect(shape, &KeyShape::MouseDown, this, [this, shape] { Key_VK51MouseDown(shape); });
        shapes_.insert(token, shape);
        shapeList_ << shape;
    }

    shape1_ = new QWidget(this);
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape1_->setGeometry(keyboard::kNumLockLight);
    look::SetBackground(shape1_, kNumLockOff);
}

void TForm6::BuildControls()
{
    const QFont bold19 = look::SansSerif(19, true);
    auto* label2 = new QLabel(QStringLiteral("Текущая комбинация:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->move(493, 295);
    label2->setFont(bold19);
    look::SetTextColor(label2, look::kClScrollBar);
    label2->adjustSize();

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(708, 296, 1060 - 708, 24);
    label1_->setFont(bold19);
    look::SetTextColor(label1_, look::kClScrollBar);

    hook_ = new HookSwitch(this, QStringLiteral("Hook"));
    hook_->setGeometry(5, 291, 90, 29);

    // In the keyboard's blank strip between the function row and the digits,
    // above the keys it records.
    record_ = new RecordSwitch(this, QStringLiteral("RecordKeys"));
    record_->setGeometry(QRect(QPoint(12, 54), record_->sizeHint()));
    connect(record_, &QAbstractButton::toggled, this, &TForm6::SetRecording);

    const struct {
        const char* name;
        const char* caption;
        QRect rect;
        void (TForm6::*handler)();
    } buttons[] = {
        {"Button1", "Очистить клавиатуру", {103, 294, 122, 25}, &TForm6::Button1Click},
        {"Button2", "Сохранить комбинацию", {231, 295, 129, 25}, &TForm6::Button2Click},
        {"Button3", "Отключить клавишу", {364, 295, 113, 25}, &TForm6::Button3Click},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.rect);
        button->setAutoDefault(false);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
    }

    listBox1_ = new QListWidget(this);
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    listBox1_->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &TForm6::Timer1Timer);
}

QStringList TForm6::Selection() const
{
    QStringList tokens;
    for (int i = 0; i < listBox1_->count(); ++i) tokens << listBox1_->item(i)->text();
    return tokens;
}

bool TForm6::HookOn() const
{
    return hook_->IsOn();
}

void TForm6::ShowCombination()
{
    QStringList captions;
    for (const QString& token : Selection()) captions << QString::fromStdString(hotkeys::KeyCaption(token.toStdString()));
    label1_->setText(captions.join(QLatin1Char('+')));
}

void TForm6::ClearMarks()
{
    listBox1_->clear();
    for (KeyShape* shape : shapeList_) shape->SetBrush(KeyShape::Brush::Clear);
    label1_->clear();
}

void TForm6::Select(KeyShape* shape)
{
    listBox1_->addItem(TokenOf(shape));
    shape->SetBrush(KeyShape::Brush::Selected);
}

void TForm6::LoadMarks(const QString& hotkey)
{
    hook_->SetOn(!hotkey.contains(QLatin1Char('~')));
    for (const std::string& token : hotkeys::SplitHotkey(hotkey.toStdString())) {
        // A hand-edited token we have no key for, or a key named twice, would
        // leave a selection the user cannot see or undo.
        KeyShape* shape = Shape(QString::fromStdString(token));
        if (shape == nullptr || Selection().contains(QString::fromStdString(token))) continue;
        if (listBox1_->count() >= kMaxKeys) break;
        Select(shape);
    }
    ShowCombination();
}

void TForm6::Key_VK51MouseDown(KeyShape* shape)
{
    if (shape->CurrentBrush() == KeyShape::Brush::Clear) {
        if (listBox1_->count() >= kMaxKeys) {
            prompts::Message(this, QStringLiteral("Более трех кнопок использовать запрещено!!!"));
            return;
        }
        Select(shape);
    } else {
        const QString token = TokenOf(shape);
        const QList<QListWidgetItem*> found = listBox1_->findItems(token, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!found.isEmpty()) delete listBox1_->takeItem(listBox1_->row(found.first()));
        shape->SetBrush(KeyShape::Brush::Clear);
    }
    ShowCombination();
}

void TForm6::Button1Click()
{
    for (const QString& token : Selection()) {
        if (KeyShape* shape = Shape(token)) shape->SetBrush(KeyShape::Brush::Clear);
    }
    listBox1_->clear();
    label1_->clear();
}

void TForm6::Button2Click()
{
    std::vector<std::string> tokens;
    for (const QString& token : Selection()) tokens.push_back(token.toStdString());
    if (tokens.empty()) {
        prompts::Message(this, QStringLiteral("Запрещено сохранять пустые клавиши"));
        return;
    }
    if (hotkeys::ComposeHotkey(tokens, true) == "VK02") {
        prompts::Message(this, QStringLiteral("Запрещено сохранять клавишу ПКМ\n"
                                              "Данная клавиша исползуется для авто-отыгровки оружия"));
        return;
    }
    if (!ConfirmConflicts(tokens)) return;
    const std::string value = hotkeys::ComposeHotkey(tokens, hook_->IsOn());
    const std::string id = state_.RpMode.toStdString();
    const QString combination = label1_->text();

    if (state_.PickerTarget == QLatin1String("o")) {
        state_.SettingsIni->WriteString(kHotkeys, id, value);
        SetCallerLabel(QStringLiteral("Label46"), combination);
    } else if (state_.PickerTarget == QLatin1String("c")) {
        if (!state_.KeyIni) state_.OpenKeyIni();
        state_.KeyIni->WriteString(kKeys, id, value);
        SetCallerLabel(QStringLiteral("Label49"), combination);
    } else if (state_.PickerTarget == QLatin1String("nk")) {
        state_.SettingsIni->WriteString(kHotkeys, id, value);
        SetCallerLabel(state_.TargetLabel, combination);
        SetCallerStoredString(state_.RpMode, ToQString(state_.SettingsIni->ReadString(kHotkeys, id, "")));
    }
    HotkeysWritten();
    accept();
}

const hotkeys::HotkeyHolder* TForm6::Edited(const hotkeys::ConflictMap& map) const
{
    const auto source = state_.PickerTarget == QLatin1String("c") ? hotkeys::HotkeySource::Commands
                                                                  : hotkeys::HotkeySource::Settings;
    return map.Find(source, state_.RpMode.toStdString());
}

bool TForm6::ConfirmConflicts(const std::vector<std::string>& tokens)
{
    const hotkeys::ConflictMap map = conflicts::Current(state_);
    const hotkeys::HotkeyHolder* self = Edited(map);
    // Putting a holder's own combination back creates nothing new.
    if (self != nullptr && std::find(self->combinations.begin(), self->combinations.end(), tokens) !=
                               self->combinations.end())
        return true;
    const auto others = map.Using(tokens, self);
    const auto reserved = hotkeys::ReservedCombination(tokens);
    if (others.empty() && !reserved) return true;

    QStringList lines;
    if (!others.empty())
        lines << QStringLiteral("Комбинация %1 уже назначена: %2.\nПри её нажатии сработают все.")
                     .arg(label1_->text(), QString::fromStdString(hotkeys::HolderNames(others)));
    if (reserved)
        lines << QStringLiteral("Комбинацию %1 перехватывает система: биндер её не получит.")
                     .arg(QString::fromStdString(*reserved));
    lines << QStringLiteral("Сохранить всё равно?");
    return prompts::Question(this, lines.join(QLatin1Char('\n')));
}

void TForm6::HotkeysWritten()
{
    if (state_.forms.Form1 != nullptr) state_.forms.Form1->HotkeysChanged();
}

void TForm6::MarkUsedKeys()
{
    const hotkeys::ConflictMap map = conflicts::Current(state_);
    const auto used = map.KeysUsedBy(Edited(map));
    for (KeyShape* shape : shapeList_) {
        const auto it = used.find(TokenOf(shape).toStdString());
        shape->SetUsedBy(it == used.end() ? QString() : QString::fromStdString(hotkeys::HolderNames(it->second)));
    }
}

void TForm6::SetRecording(bool on)
{
    if (record_->isChecked() != on) record_->setChecked(on);  // comes back here
    if (on) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

// While recording, every key meant for this window selects as a click would;
// none reaches the buttons or closes the dialog (Esc included).
bool TForm6::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || !record_->isChecked())
        return QDialog::eventFilter(watched, event);
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const auto token = platform::KeyToken(key->nativeScanCode(), key->nativeVirtualKey());
            if (KeyShape* shape = token ? Shape(QString::fromStdString(*token)) : nullptr)
                Guarded(this, [&] { Key_VK51MouseDown(shape); });
        }
    }
    event->accept();
    return true;
}

// The label changes only after the store took the change, so a refused write
// leaves the caller showing what is really stored.
void TForm6::Button3Click()
{
    const std::string id = state_.RpMode.toStdString();
    if (state_.PickerTarget == QLatin1String("o")) {
        state_.SettingsIni->WriteString(kHotkeys, id, kDisabled.toStdString());
        SetCallerLabel(QStringLiteral("Label46"), kNone);
    } else if (state_.PickerTarget == QLatin1String("c")) {
        if (!state_.KeyIni) state_.OpenKeyIni();
        state_.KeyIni->DeleteKey(kKeys, id);
        SetCallerLabel(QStringLiteral("Label49"), kNone);
    } else if (state_.PickerTarget == QLatin1String("nk")) {
        state_.SettingsIni->WriteString(kHotkeys, id, kDisabled.toStdString());
        SetCallerLabel(state_.TargetLabel, kNone);
        SetCallerStoredString(state_.RpMode, ToQString(state_.SettingsIni->ReadString(kHotkeys, id, " ")));
    }
    HotkeysWritten();
    accept();
}

void TForm6::SetCallerLabel(const QString& name, const QString& text)
{
    if (name.isEmpty() || state_.forms.Form1 == nullptr) return;
    if (auto* label = state_.forms.Form1->findChild<Label*>(name)) label->setText(text);
}

void TForm6::SetCallerStoredString(const QString& imageName, const QString& hotkey)
{
    if (imageName.isEmpty() || state_.forms.Form1 == nullptr) return;
    if (auto* image = state_.forms.Form1->findChild<Label*>(imageName)) image->SetHelpKeyword(hotkey);
}

void TForm6::Timer1Timer()
{
    look::SetBackground(shape1_, numlock::Read() == numlock::State::On ? kNumLockOn : kNumLockOff);
}

void TForm6::FormShow()
{
    if (image1_->pixmap().isNull()) image1_->setPixmap(keyboard::Picture());
    timer1_->start();
    Timer1Timer();  // right at once, not a tick late
    SetRecording(false);
    MarkUsedKeys();
}

void TForm6::FormClose()
{
    timer1_->stop();
    SetRecording(false);
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

// Every way out passes here: the buttons, the close box and Esc.
void TForm6::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm6::ShowModal()
{
    look::CentreOnScreen(this);
    exec();
}
