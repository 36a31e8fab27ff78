// SPDX-License-Identifier: MIT
#include "form_builder.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/forms/controls.h"
#include "ui/forms/face_substitution.h"
#include "ui/icons/pictures.h"

namespace tavo::forms {

QColor ToColour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString InstalledFace(std::string_view face) {
    // Asking Qt for a face that is not installed makes it build fallback lists before it
    // settles on the registered substitute, for every font that names it; resolving each
    // name once to the installed face saves most of the font work at start-up.
    static QHash<QString, QString> installed;
    const QString requested = ToQString(face);
    if (const auto found = installed.constFind(requested); found != installed.constEnd()) {
        return *found;
    }
    // Qt keeps substitutes in lower case; the database gives the family's own spelling.
    static const QHash<QString, QString> families = [] {
        QHash<QString, QString> byLowerCase;
        for (const QString& family : QFontDatabase::families()) {
            byLowerCase.insert(family.toLower(), family);
        }
        return byLowerCase;
    }();
    // The database lists a family under one of its names, chosen by the locale (IPAPMincho
    // is "IPA P明朝" in Japanese): any name fontconfig knows for the installed files counts.
    const auto listed = [](const QString& name) {
        for (const QString& alias : FamilyNames(name)) {
            if (const QString family = families.value(alias.toLower()); !family.isEmpty()) {
                return family;
            }
        }
        return QString();
    };
    QString family = listed(requested);
    for (const QString& substitute : QFont::substitutes(requested)) {
        if (!family.isEmpty()) break;
        family = listed(substitute);
    }
    if (family.isEmpty()) family = requested;
    installed.insert(requested, family);
    return family;
}

QFont FontFor(const FontDesign& design) {
    QFont font(InstalledFace(design.face));
    font.setPixelSize(FontPixelSize(design.points));
    font.setBold(design.bold);
    font.setUnderline(design.underline);
    // The IPA faces carry no hinting instructions, so FreeType's auto-hinter would load and
    // analyse reference glyphs of every face: some 3 MiB at start-up for nothing visible.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

namespace {

QRect ToQRect(const TwipsRect& twips) {
    const PixelRect rect = ToPixels(twips);
    return {rect.x, rect.y, rect.width, rect.height};
}

void SetColour(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(role, ToColour(rgb));
    widget->setPalette(palette);
}

// The face of an option's round mark under the default light theme. A layout that fixes a
// control's background fixes the colours drawn on it too, as the light theme shows them, so
// that a dark theme leaves neither light text nor a dark mark on the light background.
constexpr Rgb kOptionMarkFace{255, 255, 255};

QWidget* CreateControl(const ControlDesign& design, QWidget* parent) {
    const QString caption = ToQString(design.caption);
    switch (design.kind) {
        case ControlKind::TextBox: {
            auto* box = new FormTextBox(parent);
            box->setText(caption);
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if ((design.flags & kImeOff) != 0) box->setInputMethodOff(true);
            SetColour(box, QPalette::Base, design.backColour);
            SetColour(box, QPalette::Text, design.foreColour);
            return box;
        }
        case ControlKind::MultiLineTextBox: {
            auto* text = new QPlainTextEdit(parent);
            // The stored text ends its lines with CR LF; the widget wants bare line feeds.
            text->setPlainText(caption.split(QStringLiteral("\r\n")).join(QChar('\n')));
            text->setReadOnly(true);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            SetColour(text, QPalette::Base, design.backColour);
            SetColour(text, QPalette::Text, design.foreColour);
            return text;
        }
        case ControlKind::Label: {
            auto* label = new FormLabel(parent);
            label->setText(caption);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(
                ((design.flags & kCentred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            SetColour(label, QPalette::WindowText, design.foreColour);
            if ((design.flags & kBackgroundFilled) != 0) {
                label->setAutoFillBackground(true);
                SetColour(label, QPalette::Window, design.backColour);
            }
            return label;
        }
        case ControlKind::Frame: {
            auto* frame = new FormFrame(caption, parent);
            SetColour(frame, QPalette::Window, design.backColour);
            SetColour(frame, QPalette::WindowText, design.foreColour);
            return frame;
        }
        case ControlKind::OptionButton: {
            auto* option = new FormOptionButton(caption, parent);
            option->setChecked((design.flags & kSelected) != 0);
            SetColour(option, QPalette::Window, design.backColour);
            SetColour(option, QPalette::WindowText, design.foreColour);
            // The mark: its face and the dot that shows the option selected.
            SetColour(option, QPalette::Base, kOptionMarkFace);
            SetColour(option, QPalette::Text, design.foreColour);
            return option;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(caption, parent);
            // Enter or Space on the focused button presses it; it is nobody's default button.
            button->setAutoDefault(true);
            button->setDefault(false);
            if ((design.flags & kFlat) != 0) {
                button->setStyleSheet(QStringLiteral(
                    "QPushButton { background: palette(button); color: palette(button-text);"
                    " border: 1px solid palette(shadow); }"
                    "QPushButton:focus { border: 2px solid palette(shadow); }"
                    "QPushButton:pressed { background: palette(mid); }"));
            }
            return button;
        }
        case ControlKind::PictureBox: {
            auto* picture = new FormPictureBox(parent);
            picture->setPicture(icons::Picture(design.picture));
            return picture;
        }
    }
    return nullptr;
}

// What a screen reader says of a control beyond its name, and the key that clicks a button,
// which its tooltip and description show beside its caption.
void Describe(QWidget* widget, const ControlDesign& design) {
    QString description = ToQString(design.description);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!design.shortcut.empty() && button != nullptr) {
        const QKeySequence key(ToQString(design.shortcut), QKeySequence::PortableText);
        button->setShortcut(key);
        const QString note = QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText));
        button->setToolTip(button->text() + note);
        description += note;
    }
    if (!description.isEmpty()) widget->setAccessibleDescription(description.trimmed());
}

Qt::FocusPolicy FocusPolicyFor(const ControlDesign& design) {
    if (design.tabStop) return Qt::StrongFocus;
    switch (design.kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
            return Qt::NoFocus;
        default:
            return Qt::ClickFocus;  // focusable by the mouse, skipped by Tab
    }
}

}  // namespace

void BuildControls(QWidget* client, const FormDesign& design) {
    client->setFixedSize(TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight));
    client->setAutoFillBackground(true);
    SetColour(client, QPalette::Window, design.background);

    struct Built {
        const ControlDesign* design;
        QWidget* widget;
    };
    std::vector<Built> built;
    built.reserve(design.controls.size());
    for (const ControlDesign& control : design.controls) {
        // Every container and buddy exists: the layouts are checked when they are compiled
        // (layout_check.h), and a frame comes before the controls it holds.
        QWidget* parent =
            control.container.empty() ? client : FindControl<QWidget>(client, control.container);
        Q_ASSERT(parent != nullptr);
        QWidget* widget = CreateControl(control, parent);
        widget->setObjectName(QString::fromStdString(ControlObjectName(control)));
        widget->setGeometry(ToQRect(control.rect));
        widget->setFont(FontFor(control.font));
        widget->setFocusPolicy(FocusPolicyFor(control));
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(ToQString(control.accessibleName));
        }
        Describe(widget, control);
        built.push_back({&control, widget});
    }
    for (const Built& item : built) {
        // Pictures lie on top of the labels they overlap.
        if (item.design->kind == ControlKind::PictureBox) item.widget->raise();
        // A label names its buddy, for screen readers and for the window's own code. Qt
        // reads a label's text as its buddy's name only for some kinds of control, with the
        // blanks that pad a caption: the buddy gets the trimmed text as its own name.
        const ControlRef& buddy = item.design->buddy;
        if (!buddy.name.empty()) {
            auto* label = qobject_cast<QLabel*>(item.widget);
            QWidget* named = FindControl<QWidget>(client, buddy.name, buddy.index);
            Q_ASSERT(label != nullptr && named != nullptr);
            label->setBuddy(named);
            if (named->accessibleName().isEmpty()) {
                named->setAccessibleName(label->text().trimmed());
            }
        }
    }
    std::stable_sort(built.begin(), built.end(), [](const Built& a, const Built& b) {
        return a.design->tabIndex < b.design->tabIndex;
    });
    for (std::size_t i = 1; i < built.size(); ++i) {
        QWidget::setTabOrder(built[i - 1].widget, built[i].widget);
    }
}

QLabel* LabelFor(const QWidget* client, const QWidget* control) {
    for (QLabel* label : client->findChildren<QLabel*>()) {
        if (label->buddy() == control) return label;
    }
    return nullptr;
}

QMenuBar* BuildMenuBar(QWidget* window, std::span<const MenuDesign> menus) {
    auto* bar = new QMenuBar(window);
    for (const MenuDesign& design : menus) {
        QMenu* menu = bar->addMenu(ToQString(design.caption));
        menu->setObjectName(ToQString(design.name));
        for (const MenuItemDesign& item : design.items) {
            menu->addAction(ToQString(item.caption))->setObjectName(ToQString(item.name));
        }
    }
    return bar;
}

void ApplyWindowDesign(QWidget* window, const FormDesign& design) {
    window->setObjectName(ToQString(design.name));
    // A window without a title bar still has a title for task bars and window switchers: the
    // name screen readers know it by.
    window->setWindowTitle(ToQString(design.title.empty() ? design.accessibleName : design.title));
    if (!design.accessibleName.empty()) window->setAccessibleName(ToQString(design.accessibleName));
    if (!design.icon.empty()) window->setWindowIcon(QIcon(icons::Picture(design.icon)));
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    switch (design.frameStyle) {
        case FrameStyle::FixedDialog:
            flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            break;
        case FrameStyle::FixedSingle:
            flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                     Qt::WindowCloseButtonHint;
            break;
        case FrameStyle::FixedTitleOnly:
            flags |= Qt::WindowTitleHint;
            break;
        case FrameStyle::DialogNoTitle:
            flags |= Qt::FramelessWindowHint;
            break;
    }
    window->setWindowFlags(flags);
}

void PlaceWindow(QWidget* window, const FormDesign& design) {
    const QSize size = window->size();
    if (design.startPosition == StartPosition::Manual) {
        // setGeometry places the client area; the window manager adds its frame around it.
        window->setGeometry(
            QRect(QPoint(TwipsToPixels(design.left), TwipsToPixels(design.top)), size));
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    window->setGeometry(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

}  // namespace tavo::forms
