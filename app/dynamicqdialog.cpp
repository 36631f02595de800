#include "dynamicqdialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const char kLabelStyle[] = "QLabel {background-color : #1f2222;color : #b9b9b9;border: none;}";
const char kSeparatorStyle[] =
    "QFrame {background-color : #B9B9B9;max-height: 0.5px;border-style:none;}";
const char kButtonStyle[] =
    "QPushButton {min-width: 118px;min-height: 36px;border-style: solid;border-radius: 4px;"
    "border-color: #00A778;}QPushButton:pressed {background-color: #00A778;border-style: solid;"
    "border-radius: 4px;color:#b9b9b9;}";

DynamicQDialog::Responder &responder()
{
    static DynamicQDialog::Responder r;
    return r;
}

// The window the dialog stands over: its parent's, if it has one.
const QWidget *ownerOf(const QWidget &dialog)
{
    return dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
}

// What the window manager puts around a window (title bar, borders). A
// shown main window tells; before there is one, a title bar is the guess.
QMargins windowFrame(const QWidget &dialog)
{
    const QWidget *owner = ownerOf(dialog);
    if (owner && owner->isVisible()) {
        const QRect inner = owner->geometry();
        const QRect outer = owner->frameGeometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    return QMargins(0, dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
}

QRect screenArea(const QWidget &dialog)
{
    const QWidget *owner = ownerOf(dialog);
    const QScreen *screen = owner ? owner->screen() : dialog.screen();
    return screen ? screen->availableGeometry() : QRect();
}

QPushButton *makeButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    return button;
}
} // namespace

DynamicQDialog::DynamicQDialog(QWidget *parent, const QString &heading, const QString &message,
                               bool withCancel)
    : QDialog(parent)
{
    m_heading = new QLabel(heading, this);
    m_heading->setStyleSheet(QLatin1String(kLabelStyle));
    auto *separator = new QFrame(this);
    separator->setStyleSheet(QLatin1String(kSeparatorStyle));
    separator->setFrameShape(QFrame::HLine);
    m_message = new QLabel(message, this);
    m_message->setStyleSheet(QLatin1String(kLabelStyle));

    auto *text = new QVBoxLayout;
    text->addWidget(m_heading);
    text->addWidget(separator);
    text->addWidget(m_message);

    auto *buttons = new QHBoxLayout;
    buttons->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (withCancel) {
        m_cancel = makeButton(tr("Отмена"), this);
        connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(m_cancel);
    }
    m_ok = makeButton(tr("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_ok);

    auto *grid = new QGridLayout(this);
    grid->addLayout(text, 0, 0);
    grid->addLayout(buttons, 1, 0);

    setMinimumSize(1, 1);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

QString DynamicQDialog::commonStyleSheet()
{
    return QStringLiteral(
        "background-color:#1F2222;border-style: solid;border-radius: 10px;border-width: 1px;"
        "border-color: #b9b9b9;color : #b9b9b9;");
}

int DynamicQDialog::show(QWidget *parent, const QString &message, bool withCancel,
                         const QSize &size)
{
    DynamicQDialog dialog(parent, QString(), message, withCancel);
    dialog.setStyleSheet(commonStyleSheet());
    dialog.resize(size);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

void DynamicQDialog::SetTextBtnOk(const QString &text)
{
    m_ok->setText(text);
}

void DynamicQDialog::SetTextBtnCncl(const QString &text)
{
    if (m_cancel)
        m_cancel->setText(text);
}

QString DynamicQDialog::message() const
{
    return m_message->text();
}

void DynamicQDialog::setResponder(Responder r)
{
    responder() = std::move(r);
}

void DynamicQDialog::fitToText()
{
    // Callers give a size that suits a short Russian line; a longer message,
    // a translation or other fonts need more, so that size is only the least
    // the dialog keeps.
    const QSize given = testAttribute(Qt::WA_Resized) ? size() : QSize(1, 1);
    ensurePolished(); // the style sheets decide fonts, paddings and button sizes
    const QRect area = screenArea(*this);
    const QMargins frame = windowFrame(*this);
    const QSize room = area.isValid() ? area.marginsRemoved(frame).size()
                                      : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto wrapMessage = [this](bool wrap) {
        m_message->setWordWrap(wrap);
        layout()->activate(); // the nested boxes keep their sizes until then
    };
    wrapMessage(false); // the message keeps its own line breaks
    QSize wanted = given.expandedTo(minimumSizeHint());
    if (wanted.width() > room.width()) {
        // A line wider than the screen: wrap it, as wide as the screen allows.
        wrapMessage(true);
        wanted.setWidth(room.width());
        wanted.setHeight(qMax(given.height(), heightForWidth(room.width())));
    }
    resize(wanted.boundedTo(room));

    // Over the middle of its owner (or of the screen), wholly on the screen.
    // Done here rather than by QDialog, which leaves a dialog as wide as the
    // screen one border's width over the edge.
    if (!area.isValid() || (testAttribute(Qt::WA_Moved) && !m_placed))
        return; // the caller chose the place
    const QWidget *owner = ownerOf(*this);
    QRect outer = QRect(QPoint(0, 0), size()).marginsAdded(frame);
    outer.moveCenter(owner ? owner->geometry().center() : area.center());
    outer.moveLeft(qMax(area.left(), qMin(outer.left(), area.right() + 1 - outer.width())));
    outer.moveTop(qMax(area.top(), qMin(outer.top(), area.bottom() + 1 - outer.height())));
    move(outer.topLeft());
    m_placed = true;
}

void DynamicQDialog::setVisible(bool visible)
{
    if (visible && !isVisible())
        fitToText(); // before QDialog places it over its parent
    QDialog::setVisible(visible);
}

int DynamicQDialog::exec()
{
    if (responder()) {
        const int result = responder()(*this) == QDialog::Accepted ? QDialog::Accepted
                                                                   : QDialog::Rejected;
        setResult(result);
        return result;
    }
    return QDialog::exec();
}
