#include "config/frmFTR.h"

#include "config/WindowControls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <algorithm>

#include "base/DebugSwitch.h"
#include "config/DataFolders.h"
#include "config/FirstRun.h"
#include "config/GameFolder.h"
#include "config/GameSearch.h"
#include "config/WindowFont.h"

namespace vrel {
frmFTR::frmFTR(ProgramSettings& state, Ports& ports, std::function<void()> showMainWindow,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      ports_(ports),
      showMainWindow_(std::move(showMainWindow)) {
    setObjectName(QStringLiteral("frmFTR"));
    setFixedSize(355, 251);
    setFont(ConfigWindowFont());

    Label1 = MakeLabel(this, "Label1", QStringLiteral("This is the first time you run Vrel"),
                       QStringLiteral("This is the first time you run Vrel"), {8, 8, 339, 16});
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);

    Label2 = MakeLabel(this, "Label2", QStringLiteral("Some options need to be set up now"),
                       QStringLiteral("Some options need to be set up now"), {8, 26, 339, 16});
    Label2->setAlignment(Qt::AlignCenter);
    QFont underlined = font();
    underlined.setUnderline(true);
    Label2->setFont(underlined);

    MakeNotYetAvailable();

    Label3 = MakeLabel(this, "Label3", QStringLiteral("Fallout 2 Folder:"),
                       QStringLiteral("Fallout 2 Folder:"), {8, 144, 200, 16});
    txtF2path = new QLineEdit(this);
    txtF2path->setObjectName(QStringLiteral("txtF2path"));
    txtF2path->setAccessibleName(QStringLiteral("Fallout 2 folder"));
    txtF2path->setGeometry(8, 162, 267, 22);
    Label3->setBuddy(txtF2path);
    Command1 = MakeButton(this, "Command1", QStringLiteral("Browse"),
                          QStringLiteral("Browse for the Fallout 2 folder"), {281, 161, 66, 24});

    Label4 = MakeLabel(
        this, "Label4",
        QStringLiteral(
            "All others will be reseted to default, use the 'Options' button to access them in the main screen."),
        QString(), {8, 190, 339, 28});
    Label4->setAccessibleName(Label4->text());
    Label4->setWordWrap(true);

    DebugBTN_cont = MakeButton(this, "DebugBTN_cont", QStringLiteral("Debug cont."),
                               QStringLiteral("Debug: continue without saving"), {8, 224, 72, 20});
    QFont small = font();
    small.setPointSizeF(7);
    DebugBTN_cont->setFont(small);
    DebugBTN_cont->setVisible(false);
    Command2 = MakeButton(this, "Command2", QStringLiteral("Continue"), QStringLiteral("Continue"),
                          {137, 221, 81, 25});
    Command2->setDefault(true);

    setTabOrder(txtF2path, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, DebugBTN_cont);

    connect(Command1, &QPushButton::clicked, this, &frmFTR::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFTR::Command2_Click);
    connect(DebugBTN_cont, &QPushButton::clicked, this, &frmFTR::DebugBTN_cont_Click);

    Form_Load();
}

// The skins and the Fallout 1 folder, which Vrel does not offer yet: shown greyed out.
void frmFTR::MakeNotYetAvailable() {
    QFont italic = font();
    italic.setItalic(true);
    Frame1 = new QGroupBox(QStringLiteral("Skins"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("Skins"));
    Frame1->setGeometry(8, 46, 339, 44);
    Label6 = MakeLabel(Frame1, "Label6", QStringLiteral("Not available, yet!"),
                       QStringLiteral("Skins: not available, yet"), {8, 18, 323, 18});
    Label6->setAlignment(Qt::AlignCenter);
    Label6->setFont(italic);
    Label6->setEnabled(false);

    Label5 = MakeLabel(this, "Label5", QStringLiteral("Fallout 1 Folder:"),
                       QStringLiteral("Fallout 1 Folder:"), {8, 98, 200, 16});
    Label5->setEnabled(false);
    Text2 = new QLineEdit(QStringLiteral("Not available, yet"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("Fallout 1 folder"));
    Text2->setGeometry(8, 116, 267, 22);
    Text2->setFont(italic);
    Text2->setEnabled(false);
    Command3 = MakeButton(this, "Command3", QStringLiteral("Browse"),
                          QStringLiteral("Browse for the Fallout 1 folder"), {281, 115, 66, 24});
    Command3->setEnabled(false);
}

void frmFTR::Form_Load() {
    setWindowTitle(QString::fromStdString(FirstRunCaption()));
    DebugBTN_cont->setVisible(HasDebugSwitch(state_.CommandLine));
}

void frmFTR::Command1_Click() {
    if (const auto folder = BrowseGameFolder(ports_.pickers, ports_.messages)) {
        txtF2path->setText(QString::fromStdString(*folder));
    }
}

void frmFTR::Command2_Click() {
    const std::string folder = txtF2path->text().toStdString();
    if (!ConfirmGameFolder(folder, state_.ProgramFolder, ports_.messages) ||
        !SaveFirstRunSettings(state_.Config, state_.ProgramFolder, folder, ports_.messages)) {
        return;
    }
    CreateGameDataFolders(state_.Config, state_.ProgramFolder);
    showMainWindow_();
    close();
}

void frmFTR::OfferGameFolders(const FoundGameFolders& found) {
    const std::vector<std::string>& folders = found.Folders;
    txtF2path->setText(folders.empty() ? QString() : QString::fromStdString(folders.front()));
    if (folders.size() < 2) {
        return;
    }
    // Several installs: the box offers them all from a drop-down of its own, opened by the arrow
    // at its end or Alt+Down; typing still works as before. Each entry names its store before
    // the path, and a pick puts the path alone into the box.
    auto* entries = new QStandardItemModel(txtF2path);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        auto* entry = new QStandardItem(QString::fromStdString(DescribeFoundFolder(found, i)));
        entry->setData(QString::fromStdString(folders[i]), Qt::UserRole);
        entry->setToolTip(QString::fromStdString(folders[i]));
        entries->appendRow(entry);
    }
    auto* completer = new QCompleter(entries, txtF2path);
    completer->setCompletionRole(Qt::UserRole);
    // As wide as the longest entry allows on the screen; a path longer still loses its middle, so
    // that the store and the game's folder stay readable.
    int widest = 0;
    for (int row = 0; row < entries->rowCount(); ++row) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(entries->item(row)->text()));
    }
    completer->popup()->setMinimumWidth(std::min(widest + 56, 640));
    completer->popup()->setTextElideMode(Qt::ElideMiddle);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    txtF2path->setCompleter(completer);
    FoundFolders = txtF2path->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                        QLineEdit::TrailingPosition);
    FoundFolders->setObjectName(QStringLiteral("FoundFolders"));
    FoundFolders->setText(QStringLiteral("Other Fallout 2 folders found"));
    FoundFolders->setToolTip(FoundFolders->text());
    connect(FoundFolders, &QAction::triggered, completer, [completer] {
        completer->setCompletionPrefix(QString());
        completer->complete();
    });
    // The box takes a pick itself only while it has the focus, which the arrow does not give it.
    connect(completer, qOverload<const QString&>(&QCompleter::activated), txtF2path,
            &QLineEdit::setText);
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), txtF2path, nullptr,
                                   nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, FoundFolders, &QAction::trigger);
}

// Enter presses the button that has the focus, else Continue, as in a dialog.
void frmFTR::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    (focused != nullptr && focused->isEnabled() ? focused : Command2)->click();
}

void frmFTR::DebugBTN_cont_Click() {
    // The main window opens before this one closes, so the program never lacks a window.
    showMainWindow_();
    close();
}

frmFTR* FirstTimeRun_Routine(ProgramSettings& state, Ports& ports,
                             std::function<void()> showMainWindow) {
    auto* window = new frmFTR(state, ports, std::move(showMainWindow));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->OfferGameFolders(FindGameFolders(ports.registry, ports.environment));
    return window;
}

}  // namespace vrel
