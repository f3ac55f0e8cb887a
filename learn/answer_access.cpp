#include "learn/answer_access.h"

#include "learn/big_buttons.h"
#include "platform/dialogs.h"
#include "platform/short_sound.h"

#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace learn {
namespace {

// Stands out on the black window, on the pale yellow buttons and on light green alike.
const QString kFrame = QStringLiteral("QPushButton { border: %1px solid #FF5F00; }");

SwitchScan::Setup scanSetup(const app::PracticeSettings& settings)
{
    SwitchScan::Setup setup;
    switch (settings.answer) {
    case app::AnswerMode::Pointer:
        setup.mode = SwitchScan::Mode::Off;
        break;
    case app::AnswerMode::OneSwitch:
        setup.mode = SwitchScan::Mode::OneSwitch;
        break;
    case app::AnswerMode::TwoSwitches:
        setup.mode = SwitchScan::Mode::TwoSwitches;
        break;
    }
    setup.intervalMs = std::clamp(settings.scanIntervalMs, 500, 5000);
    setup.guardMs = std::max(0, settings.guardMs);
    setup.offersBack = settings.scanOffersBack;
    setup.keys = settings.switchKeys;
    return setup;
}

QRect enlarged(const QRect& rect, double factor)
{
    const int dx = int(std::lround(rect.width() * (factor - 1) / 2));
    const int dy = int(std::lround(rect.height() * (factor - 1) / 2));
    return rect.adjusted(-dx, -dy, dx, dy);
}

QRect toPixels(const QRectF& twips, double twipsPerPixel)
{
    const auto px = [twipsPerPixel](double v) { return int(std::lround(v / twipsPerPixel)); };
    return QRect(QPoint(px(twips.left()), px(twips.top())),
                 QPoint(px(twips.right()) - 1, px(twips.bottom()) - 1));
}

} // namespace

AnswerAccess::AnswerAccess(QWidget& window, const std::array<QPushButton*, 4>& buttons,
                           std::function<bool()> nextStepComing, const QString& tickSound,
                           PracticeEvents& events)
    : QObject(&window), m_window(window), m_buttons(buttons),
      m_nextStepComing(std::move(nextStepComing)), m_events(events), m_scan(this),
      m_tick(new platform::ShortSound(tickSound, this))
{
    for (int i = 0; i < 4; ++i) {
        m_styles[i] = buttons[i]->styleSheet();
        m_fonts[i] = buttons[i]->font();
        m_places[i] = buttons[i]->geometry();
        // Installed after the window's own filters, so it sees the switch keys first.
        buttons[i]->installEventFilter(this);
        // Runs after the window has judged the press.
        connect(buttons[i], &QPushButton::clicked, this, &AnswerAccess::settle);
    }
    window.installEventFilter(this);
    connect(&m_scan, &SwitchScan::highlightChanged, this, &AnswerAccess::showHighlight);
    connect(&m_scan, &SwitchScan::chosen, this, &AnswerAccess::choose);
}

void AnswerAccess::setSettings(const app::PracticeSettings& settings)
{
    m_settings = settings;
    const SwitchScan::Setup setup = scanSetup(settings);
    m_scan.setUp(setup);
    platform::MessageLook look;
    if (m_scan.isOn()) {
        look.switchKeys = setup.keys;
        look.guardMs = setup.guardMs;
    }
    look.large = settings.bigButtons;
    platform::setMessageLook(&m_window, look);
}

void AnswerAccess::buttonsPlaced(double twipsPerPixel, float photoBottom, float width, float height)
{
    const std::array<QRectF, 4> big = bigButtonPlaces(width, height, photoBottom);
    for (int i = 0; i < 4; ++i) {
        // Without big buttons the window has just put each button in its own place.
        const QRect rect =
            m_settings.bigButtons ? toPixels(big[i], twipsPerPixel) : m_buttons[i]->geometry();
        QFont font = m_fonts[i];
        if (m_settings.bigButtons) {
            // The arrow nearly as tall as the button; "もどる" has three letters.
            const int letters = i == SwitchScan::kBack ? 4 : 2;
            const int tall = i == SwitchScan::kBack ? rect.height() * 3 / 5 : rect.height() * 4 / 5;
            font.setPixelSize(std::max(12, std::min(tall, rect.width() / letters)));
        }
        m_buttons[i]->setFont(font);
        place(i, rect);
    }
}

void AnswerAccess::place(int target, const QRect& rect)
{
    m_places[target] = rect;
    QPushButton* button = m_buttons[target];
    if (target != m_drawn) {
        button->setGeometry(rect);
        return;
    }
    // The small buttons have a button's width of room on each side; big ones a little inside
    // their cells.
    button->setGeometry(enlarged(rect, m_settings.bigButtons ? 1.12 : 1.5));
    button->raise();
}

void AnswerAccess::restyle(int target)
{
    const int width = m_settings.bigButtons ? 12 : 5;
    m_buttons[target]->setStyleSheet(target == m_drawn ? m_styles[target] + kFrame.arg(width)
                                                       : m_styles[target]);
}

void AnswerAccess::showHighlight(int target)
{
    const int before = m_drawn;
    m_drawn = target;
    if (before >= 0) {
        restyle(before);
        place(before, m_places[before]);
    }
    if (target < 0)
        return;
    restyle(target);
    place(target, m_places[target]);
    if (m_settings.scanSound)
        m_tick->play();
}

void AnswerAccess::choose(int target)
{
    if (target < 0 || m_buttons[target]->isHidden()) {
        settle();
        return;
    }
    m_events.setInput(Input::Switch);
    m_buttons[target]->click(); // settles once the window has judged it
    m_events.setInput(Input::Mouse);
}

bool AnswerAccess::buttonsShown() const
{
    return std::none_of(m_buttons.begin(), m_buttons.end(),
                        [](const QPushButton* button) { return button->isHidden(); });
}

void AnswerAccess::settle()
{
    if (!m_scan.isOn())
        return;
    if (buttonsShown() && !m_nextStepComing())
        m_scan.restart();
    else
        m_scan.stop();
}

bool AnswerAccess::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_scan.press(key->key(), key->isAutoRepeat()))
            return true;
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_scan.release(key->key(), key->isAutoRepeat()))
            return true;
        break;
    }
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
        if (watched == &m_window)
            m_scan.hold();
        break;
    case QEvent::WindowUnblocked:
    case QEvent::WindowActivate:
        if (watched == &m_window)
            m_scan.unhold();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace learn
