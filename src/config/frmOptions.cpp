#include "config/frmOptions.h"

#include "config/WindowControls.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/GameFolder.h"
#include "config/SettingsTable.h"
#include "config/WindowFont.h"

namespace vrel {
namespace {

constexpr int kCheckBoxWidth = 164;
// The box for the remembered ticks adds a row under the others.
constexpr int kRememberTicksTop = 194;
constexpr int kRememberTicksRow = 44;
constexpr std::string_view kRememberTicksCaption = "Tick the mods of the last time at start";
constexpr std::string_view kRememberTicksDescription =
    "The mods ticked when you close Vrel come ticked again at the next start, also when no mod "
    "set is in use.";

// The General box's layout: the check box of each switch that has one, top to bottom, by its
// name in the settings table.
constexpr std::pair<std::string_view, int> kBoxTops[] = {{"genLoadModDesc", 18},
                                                         {"genDeleteDataFiles", 62},
                                                         {"genCheckConflicts", 106},
                                                         {"genSound", 150}};

const SwitchSetting& SwitchOfBox(std::string_view boxName) {
    for (const SwitchSetting& setting : kSwitches) {
        if (setting.OptionsBox == boxName) {
            return setting;
        }
    }
    throw std::logic_error("no setting has the box " + std::string(boxName));
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QCheckBox* MakeCheckBox(QGroupBox* frame, std::string_view name, const QString& caption, int top) {
    auto* box = new QCheckBox(frame);
    box->setObjectName(Text(name));
    box->setAccessibleName(caption);
    const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                          box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    box->setText(WrapToWidth(caption, box->fontMetrics(), kCheckBoxWidth - indicator - 2));
    box->setGeometry(8, top, kCheckBoxWidth, 40);
    box->setMouseTracking(true);
    return box;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setAccessibleName(caption);
    frame->setGeometry(geometry);
    return frame;
}

// The window's font, made smaller where needed so that the longest description fits the label.
QFont FittingFont(const QLabel* label) {
    QFont font = label->font();
    for (const double size : {8.25, 8.0, 7.5, 7.0, 6.5}) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        std::vector<std::string_view> texts = {HoverDescription(OptionsHover::Background),
                                               HoverDescription(OptionsHover::Fallout2),
                                               kRememberTicksDescription};
        for (const SwitchSetting& setting : kSwitches) {
            texts.push_back(setting.Description);
        }
        bool fits = true;
        for (const std::string_view text : texts) {
            const QRect needed = metrics.boundingRect(label->rect(), Qt::TextWordWrap, Text(text));
            fits = fits && needed.height() <= label->height() && needed.width() <= label->width();
        }
        if (fits) {
            break;
        }
    }
    return font;
}

}  // namespace

frmOptions::frmOptions(ProgramSettings& state, Ports& ports, QWidget* parent, bool* rememberTicks)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      state_(state),
      ports_(ports),
      rememberTicks_(rememberTicks) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(408, 206);
    setFont(ConfigWindowFont());
    setMouseTracking(true);

    Frame2 = MakeFrame(this, "Frame2", QStringLiteral("General"), {6, 4, 176, 198});
    for (const auto& [name, top] : kBoxTops) {
        const SwitchSetting& setting = SwitchOfBox(name);
        switchBoxes_.push_back({MakeCheckBox(Frame2, name, Text(setting.Caption), top), &setting});
    }
    genLoadModDesc = Frame2->findChild<QCheckBox*>(QStringLiteral("genLoadModDesc"));
    genDeleteDataFiles = Frame2->findChild<QCheckBox*>(QStringLiteral("genDeleteDataFiles"));
    genCheckConflicts = Frame2->findChild<QCheckBox*>(QStringLiteral("genCheckConflicts"));
    genSound = Frame2->findChild<QCheckBox*>(QStringLiteral("genSound"));
    const int extra = rememberTicks_ != nullptr ? kRememberTicksRow : 0;
    if (rememberTicks_ != nullptr) {
        setFixedSize(408, 206 + extra);
        Frame2->resize(Frame2->width(), 198 + extra);
        genRememberTicks = MakeCheckBox(Frame2, "genRememberTicks", Text(kRememberTicksCaption),
                                        kRememberTicksTop);
        genRememberTicks->installEventFilter(this);
    }

    Frame1 = MakeFrame(this, "Frame1", QStringLiteral("Paths"), {186, 4, 216, 86});
    Label2 = MakeLabel(Frame1, "Label2", QStringLiteral("Fallout1:"),
                       QStringLiteral("Fallout 1 folder:"), {8, 17, 50, 22});
    Text1 = new QLineEdit(QStringLiteral("Not available, yet"), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Fallout 1 folder"));
    Text1->setGeometry(58, 17, 150, 22);
    Text1->setEnabled(false);
    Label3 = MakeLabel(Frame1, "Label3", QStringLiteral("Fallout2:"),
                       QStringLiteral("Fallout 2 folder:"), {8, 40, 50, 22});
    Label3->setMouseTracking(true);
    pathFallout2 = new QLineEdit(Frame1);
    pathFallout2->setObjectName(QStringLiteral("pathFallout2"));
    pathFallout2->setAccessibleName(QStringLiteral("Fallout 2 folder"));
    pathFallout2->setGeometry(58, 40, 94, 22);
    pathFallout2->setMouseTracking(true);
    Label3->setBuddy(pathFallout2);
    // The box is narrow: its whole text shows as the pointer rests on it.
    connect(pathFallout2, &QLineEdit::textChanged, pathFallout2, &QLineEdit::setToolTip);
    Command1 = MakeButton(Frame1, "Command1", QStringLiteral("browse"),
                          QStringLiteral("Browse for the Fallout 2 folder"), {156, 39, 52, 24});
    Command2 =
        MakeButton(Frame1, "Command2", QStringLiteral("auto-locate"),
                   QStringLiteral("Find the Fallout 2 folder automatically"), {128, 63, 80, 22});

    Frame4 = MakeFrame(this, "Frame4", QStringLiteral("Information"), {186, 92, 216, 82});
    Label1 = MakeLabel(
        Frame4, "Label1",
        QString::fromUtf8(kOptionsFirstDescription.data(), kOptionsFirstDescription.size()),
        QStringLiteral("Description"), {8, 16, 200, 62});
    Label1->setAccessibleName(QStringLiteral("Description"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(FittingFont(Label1));
    Label1->setAccessibleDescription(Label1->text());

    btnCancel = MakeButton(this, "btnCancel", QStringLiteral("Cancel"), QStringLiteral("Cancel"),
                           {254, 178 + extra, 72, 24});
    btnOk = MakeButton(this, "btnOk", QStringLiteral("Okay"), QStringLiteral("Okay"),
                       {330, 178 + extra, 72, 24});
    btnOk->setDefault(true);

    for (const auto& [box, setting] : switchBoxes_) {
        box->installEventFilter(this);
    }
    Label3->installEventFilter(this);
    pathFallout2->installEventFilter(this);
    connect(btnOk, &QPushButton::clicked, this, &frmOptions::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1, &QPushButton::clicked, this, &frmOptions::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmOptions::Command2_Click);

    Form_Load();
}

void frmOptions::Form_Load() {
    const OptionsChoices choices = OptionsFromSettings(state_.Config);
    for (const auto& [box, setting] : switchBoxes_) {
        box->setChecked(choices.Switches.*setting->Field);
    }
    pathFallout2->setText(QString::fromStdString(choices.Fallout2));
    if (genRememberTicks != nullptr) {
        genRememberTicks->setChecked(*rememberTicks_);
    }
}

void frmOptions::btnOk_Click() {
    OptionsChoices choices{.Switches = state_.Config.cfgGeneral,
                           .Fallout2 = pathFallout2->text().toStdString()};
    for (const auto& [box, setting] : switchBoxes_) {
        choices.Switches.*setting->Field = box->isChecked();
    }
    // A folder kept as it was has been questioned when it was chosen.
    if (choices.Fallout2 != OptionsFromSettings(state_.Config).Fallout2 &&
        !ConfirmGameFolder(choices.Fallout2, state_.ProgramFolder, ports_.messages)) {
        return;
    }
    if (SaveOptions(state_.Config, state_.ProgramFolder, choices, ports_.messages)) {
        if (genRememberTicks != nullptr) {
            *rememberTicks_ = genRememberTicks->isChecked();
        }
        accept();
    }
}

void frmOptions::Command1_Click() {
    if (const auto folder = BrowseGameFolder(ports_.pickers, ports_.messages)) {
        pathFallout2->setText(QString::fromStdString(*folder));
    }
}

void frmOptions::Command2_Click() {
    if (const auto folder =
            AutoLocateGameFolder(ports_.registry, ports_.environment, ports_.pickers,
                                 ports_.messages, OptionsFromSettings(state_.Config).Fallout2)) {
        pathFallout2->setText(QString::fromStdString(*folder));
    }
}

void frmOptions::ShowDescription(std::string_view text) {
    Label1->setText(Text(text));
    // Its name says what the label is; a screen reader reads the explanation from here.
    Label1->setAccessibleDescription(Label1->text());
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    // The pointer over an option, or the keyboard's focus moved onto it, shows its description;
    // the focus given with the window as it opens or comes back keeps what the label says.
    const bool focusMoved =
        event->type() == QEvent::FocusIn && isActiveWindow() &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason;
    if (event->type() == QEvent::MouseMove || focusMoved) {
        for (const auto& [box, setting] : switchBoxes_) {
            if (watched == box) {
                ShowDescription(setting->Description);
            }
        }
        if (watched == genRememberTicks) {
            ShowDescription(kRememberTicksDescription);
        }
        if (watched == Label3 || watched == pathFallout2) {
            ShowDescription(HoverDescription(OptionsHover::Fallout2));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::mouseMoveEvent(QMouseEvent* event) {
    ShowDescription(HoverDescription(OptionsHover::Background));
    QDialog::mouseMoveEvent(event);
}

bool ShowOptionsWindow(ProgramSettings& state, Ports& ports, QWidget* owner,
                       std::string_view notice, bool* rememberTicks) {
    frmOptions window(state, ports, owner, rememberTicks);
    if (!notice.empty()) {
        window.Label1->setText(Text(notice));
        window.Label1->setAccessibleDescription(window.Label1->text());
        window.pathFallout2->setFocus();
    }
    return window.exec() == QDialog::Accepted;
}

}  // namespace vrel
