// The About window's five labels at their fixed places, given in twips, on a light yellow
// background, in Verdana or the closest sans-serif the system has. The contact address is a
// link that opens the mail program.
#include "ui/form_about.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QUrl>

#include "contact.h"
#include "ui/twips.h"

namespace kemi {
namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kDarkGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

QFont verdana(double points) {
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

// A label on the window's yellow, so that it does not stand out from it. Without a colour it
// keeps the platform's text colour.
QLabel* label(QLabel* label, const char* name, const QRect& geometry, double points,
              const QColor& colour = QColor()) {
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  label->setFont(verdana(points));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, kLightYellow);
  if (colour.isValid()) palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

// The contact address as a link: a click or Enter while it has the focus opens the default mail
// program with a new mail to it. It keeps its plain text, colour and place; while it has the
// focus it is underlined, so a keyboard user sees where the focus is.
class MailLink : public QLabel {
  Q_OBJECT

 public:
  MailLink(const QString& address, QWidget* parent) : QLabel(address, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
  }
  QUrl url() const { return QUrl(QStringLiteral("mailto:") + text()); }
  void open() const { QDesktopServices::openUrl(url()); }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    // Accepted, so that the release comes here too.
    if (event->button() == Qt::LeftButton)
      event->accept();
    else
      QLabel::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) open();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      open();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    underline(true);
    QLabel::focusInEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    underline(false);
    QLabel::focusOutEvent(event);
  }

 private:
  void underline(bool on) {
    QFont font = this->font();
    font.setUnderline(on);
    setFont(font);
  }
};

namespace {

// A screen reader meets the address as a link named by it, with a press action that opens it.
class MailLinkAccessible : public QAccessibleWidget {
 public:
  explicit MailLinkAccessible(MailLink* link) : QAccessibleWidget(link, QAccessible::Link) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return link()->text();
    if (t == QAccessible::Value) return link()->url().toString();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == pressAction())
      link()->open();
    else
      QAccessibleWidget::doAction(name);
  }

 private:
  MailLink* link() const { return static_cast<MailLink*>(widget()); }
};

// Plain widgets are "client" areas to assistive technology; the About window is a dialog named
// by its caption, its address a link.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String("kemi::Form_About"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
  if (className == QLatin1String("kemi::MailLink"))
    return new MailLinkAccessible(static_cast<MailLink*>(object));
  return nullptr;
}

}  // namespace

Form_About::Form_About() : QWidget(nullptr, Qt::Window) {
  [[maybe_unused]] static const bool accessibleInstalled = [] {
    QAccessible::installFactory(accessibleFor);
    return true;
  }();
  setObjectName(QStringLiteral("Form_About"));
  setWindowTitle(tr("About"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kLightYellow);
  setPalette(palette);
  setAutoFillBackground(true);

  label(new QLabel(tr("Solution of dy/dx=-2*x-y by numerical methods"), this), "Label2",
        twipsRect(600, 360, 2415, 855), 9.75, kDarkGreen)
      ->setWordWrap(true);
  label(new QLabel(tr("Developed by the Kemi team"), this), "Label7",
        twipsRect(600, 1440, 2535, 255), 8.25);
  label(new QLabel(tr("Last modified : 10.02 2010"), this), "Label8",
        twipsRect(480, 1920, 2415, 255), 8.25);
  label(new QLabel(tr("For comments and questions e-mail to"), this), "Label4",
        twipsRect(240, 2400, 3375, 255), 8.25);
  label(new MailLink(QString::fromUtf8(kContactEmail), this), "Label5",
        twipsRect(960, 2640, 1935, 255), 8.25, kBlue);

  setFixedSize(twips(3600), twips(3030));
}

}  // namespace kemi

#include "form_about.moc"
