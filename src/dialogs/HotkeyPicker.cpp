#include "dialogs/HotkeyPicker.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "guibase/ErrorGuard.h"
#include "guibase/NumLock.h"
#include "guibase/Platform.h"
#include "guibase/Prompts.h"
#include "guibase/QtText.h"
#include "hotkeys/HotkeyString.h"
#include "hotkeys/KeyVocabulary.h"
#include "session/Session.h"
#include "widgets/HookSwitch.h"
#include "widgets/KeyShape.h"
#include "widgets/Keyboard.h"
#include "widgets/Look.h"
#include "widgets/RecordSwitch.h"

namespace {

constexpr int kMaxKeys = 3;
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

HotkeyPicker::HotkeyPicker(Session& session, QWidget* parent) : QDialog(parent), session_(session)
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

void HotkeyPicker::BuildKeyboard()
{
    // The picture itself is painted at the first show, not at start-up.
    keyboardPicture_ = new QLabel(this);
    keyboardPicture_->setObjectName(QStringLiteral("Image1"));
    keyboardPicture_->setGeometry(QRect(QPoint(0, 0), keyboard::kPictureSize));

    for (const keyboard::Cap& cap : keyboard::Caps()) {
        if (cap.token.empty()) continue;
        const QString token = ToQString(cap.token);
        auto* shape = new KeyShape(this, QStringLiteral("Key_") + token, cap.rect, ShapeForm(cap.kind),
                                   QString::fromStdString(hotkeys::KeyCaption(cap.token)));
        connect(shape, &KeyShape::MouseDown, this, [this, shape] { ToggleKey(shape); });
        shapes_.insert(token, shape);
        shapeList_ << shape;
    }

    numLockLight_ = new QWidget(this);
    numLockLight_->setObjectName(QStringLiteral("Shape1"));
    numLockLight_->setGeometry(keyboard::kNumLockLight);
    look::SetBackground(numLockLight_, kNumLockOff);
}

void HotkeyPicker::BuildControls()
{
    const QFont bold19 = look::SansSerif(19, true);
    auto* label2 = new QLabel(QStringLiteral("Текущая комбинация:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->move(493, 295);
    label2->setFont(bold19);
    look::SetTextColor(label2, look::kClScrollBar);
    label2->adjustSize();

    combination_ = new QLabel(this);
    combination_->setObjectName(QStringLiteral("Label1"));
    combination_->setGeometry(708, 296, 1060 - 708, 24);
    combination_->setFont(bold19);
    look::SetTextColor(combination_, look::kClScrollBar);

    hook_ = new HookSwitch(this, QStringLiteral("Hook"));
    hook_->setGeometry(5, 291, 90, 29);

    // In the keyboard's blank strip between the function row and the digits,
    // above the keys it records.
    record_ = new RecordSwitch(this, QStringLiteral("RecordKeys"));
    record_->setGeometry(QRect(QPoint(12, 54), record_->sizeHint()));
    connect(record_, &QAbstractButton::toggled, this, &HotkeyPicker::SetRecording);

    const struct {
        const char* name;
        const char* caption;
        QRect rect;
        void (HotkeyPicker::*handler)();
    } buttons[] = {
        {"Button1", "Очистить клавиатуру", {103, 294, 122, 25}, &HotkeyPicker::ClearKeyboard},
        {"Button2", "Сохранить комбинацию", {231, 295, 129, 25}, &HotkeyPicker::SaveCombination},
        {"Button3", "Отключить клавишу", {364, 295, 113, 25}, &HotkeyPicker::SwitchOff},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.rect);
        button->setAutoDefault(false);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
    }

    selectionList_ = new QListWidget(this);
    selectionList_->setObjectName(QStringLiteral("ListBox1"));
    selectionList_->hide();

    numLockTimer_ = new QTimer(this);
    numLockTimer_->setObjectName(QStringLiteral("Timer1"));
    numLockTimer_->setInterval(100);
    connect(numLockTimer_, &QTimer::timeout, this, &HotkeyPicker::ShowNumLock);
}

bool HotkeyPicker::HookOn() const
{
    return hook_->IsOn();
}

void HotkeyPicker::ShowCombination()
{
    QStringList captions;
    for (const QString& token : selection_) captions << QString::fromStdString(hotkeys::KeyCaption(token.toStdString()));
    combination_->setText(captions.join(QLatin1Char('+')));
}

void HotkeyPicker::ShowSelection()
{
    selectionList_->clear();
    selectionList_->addItems(selection_);
    ShowCombination();
}

void HotkeyPicker::ClearMarks()
{
    selection_.clear();
    for (KeyShape* shape : shapeList_) shape->SetBrush(KeyShape::Brush::Clear);
    selectionList_->clear();
    combination_->clear();
}

void HotkeyPicker::Select(KeyShape* shape)
{
    selection_ << TokenOf(shape);
    shape->SetBrush(KeyShape::Brush::Selected);
}

void HotkeyPicker::Deselect(KeyShape* shape)
{
    selection_.removeAll(TokenOf(shape));
    shape->SetBrush(KeyShape::Brush::Clear);
}

void HotkeyPicker::LoadMarks(const QString& hotkey)
{
    hook_->SetOn(!hotkey.contains(QLatin1Char('~')));
    for (const std::string& token : hotkeys::SplitHotkey(hotkey.toStdString())) {
        // A hand-edited token we have no key for, or a key named twice, would
        // leave a selection the user cannot see or undo.
        KeyShape* shape = Shape(QString::fromStdString(token));
        if (shape == nullptr || selection_.contains(QString::fromStdString(token))) continue;
        if (selection_.size() >= kMaxKeys) break;
        Select(shape);
    }
    ShowSelection();
}

void HotkeyPicker::ToggleKey(KeyShape* shape)
{
    if (shape->CurrentBrush() == KeyShape::Brush::Design) {
        // The picture the keyboard has before its first reset: a press only clears it.
        shape->SetBrush(KeyShape::Brush::Clear);
    } else if (!selection_.contains(TokenOf(shape))) {
        if (selection_.size() >= kMaxKeys) {
            prompts::Message(this, QStringLiteral("Более трех кнопок использовать запрещено!!!"));
            return;
        }
        Select(shape);
    } else {
        Deselect(shape);
    }
    ShowSelection();
}

void HotkeyPicker::ClearKeyboard()
{
    for (const QString& token : selection_) {
        if (KeyShape* shape = Shape(token)) shape->SetBrush(KeyShape::Brush::Clear);
    }
    selection_.clear();
    selectionList_->clear();
    combination_->clear();
}

void HotkeyPicker::SaveCombination()
{
    std::vector<std::string> tokens;
    for (const QString& token : selection_) tokens.push_back(token.toStdString());
    if (tokens.empty()) {
        prompts::Message(this, QStringLiteral("Запрещено сохранять пустые клавиши"));
        return;
    }
    // The binder presses its chat key on its own: one key of the keyboard,
    // stored as its bare token.
    const bool chatKey = ref_.source == hotkeys::HotkeySource::Binder;
    if (chatKey && (tokens.size() != 1 || hotkeys::GroupOf(tokens[0]) == hotkeys::KeyGroup::Mouse)) {
        prompts::Message(this, QStringLiteral("Клавиша чата — одна клавиша клавиатуры, без сочетаний и мыши"));
        return;
    }
    if (hotkeys::ComposeHotkey(tokens, true) == "VK02") {
        prompts::Message(this, QStringLiteral("Запрещено сохранять клавишу ПКМ\n"
                                              "Данная клавиша исползуется для авто-отыгровки оружия"));
        return;
    }
    if (!ConfirmConflicts(tokens)) return;
    const std::string value = chatKey ? tokens[0] : hotkeys::ComposeHotkey(tokens, hook_->IsOn());
    session_.WriteHotkey(ref_, value);
    Finish(value);
}

const hotkeys::HotkeyHolder* HotkeyPicker::Edited(const hotkeys::ConflictMap& map) const
{
    return map.Find(ref_.source, ref_.id);
}

bool HotkeyPicker::ConfirmConflicts(const std::vector<std::string>& tokens)
{
    const hotkeys::ConflictMap map = session_.Conflicts();
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
                     .arg(combination_->text(), QString::fromStdString(hotkeys::HolderNames(others)));
    if (reserved)
        lines << QStringLiteral("Комбинацию %1 перехватывает система: биндер её не получит.")
                     .arg(QString::fromStdString(*reserved));
    lines << QStringLiteral("Сохранить всё равно?");
    return prompts::Question(this, lines.join(QLatin1Char('\n')));
}

void HotkeyPicker::Finish(std::string stored)
{
    result_ = std::move(stored);
    accept();
}

void HotkeyPicker::MarkUsedKeys()
{
    const hotkeys::ConflictMap map = session_.Conflicts();
    const auto used = map.KeysUsedBy(Edited(map));
    for (KeyShape* shape : shapeList_) {
        const auto it = used.find(TokenOf(shape).toStdString());
        shape->SetUsedBy(it == used.end() ? QString() : QString::fromStdString(hotkeys::HolderNames(it->second)));
    }
}

void HotkeyPicker::SetRecording(bool on)
{
    if (record_->isChecked() != on) record_->setChecked(on);  // comes back here
    if (on) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

// While recording, every key meant for this window selects as a click would;
// none reaches the buttons or closes the dialog (Esc included).
bool HotkeyPicker::eventFilter(QObject* watched, QEvent* event)
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
                Guarded(this, [&] { ToggleKey(shape); });
        }
    }
    event->accept();
    return true;
}

void HotkeyPicker::SwitchOff()
{
    Finish(session_.SwitchOff(ref_));
}

void HotkeyPicker::ShowNumLock()
{
    look::SetBackground(numLockLight_, numlock::Read() == numlock::State::On ? kNumLockOn : kNumLockOff);
}

void HotkeyPicker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (keyboardPicture_->pixmap().isNull()) keyboardPicture_->setPixmap(keyboard::Picture());
    numLockTimer_->start();
    ShowNumLock();  // right at once, not a tick late
    SetRecording(false);
    MarkUsedKeys();
}

// Every way out passes here: the buttons, the close box and Esc.
void HotkeyPicker::done(int result)
{
    numLockTimer_->stop();
    SetRecording(false);
    QDialog::done(result);
}

void HotkeyPicker::Begin(const HotkeyRef& ref, const std::optional<QString>& current)
{
    ref_ = ref;
    result_.reset();
    ClearMarks();
    if (current) LoadMarks(*current);
}

std::optional<std::string> HotkeyPicker::Pick(const HotkeyRef& ref, const std::optional<QString>& current)
{
    Begin(ref, current);
    look::CentreOnScreen(this);
    exec();
    return result_;
}
