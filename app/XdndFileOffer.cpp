#include "app/XdndFileOffer.h"

#include <QStringList>

#ifdef VORNIX_XCB
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QHash>
#include <xcb/xcb.h>
#endif

#include <cstdlib>

namespace vornix {

namespace {

// Every type offered, in the order a target that lists them sees them.
const QList<QByteArray>& offeredTypes() {
    static const QList<QByteArray> types{
        "text/uri-list", "text/x-moz-url", "text/plain", "text/plain;charset=utf-8",
        "UTF8_STRING",   "STRING",         "TEXT"};
    return types;
}

} // namespace

std::optional<QByteArray> fileListAs(const QByteArray& type, const QList<QUrl>& urls) {
    if (!offeredTypes().contains(type))
        return std::nullopt;
    if (type == "text/uri-list") {
        QByteArray out;
        for (const QUrl& url : urls)
            out += url.toEncoded() + "\r\n";
        return out;
    }
    if (type == "text/x-moz-url") {
        // Pairs of address and title, in UTF-16 of the machine's byte order.
        QStringList lines;
        for (const QUrl& url : urls)
            lines << QString::fromLatin1(url.toEncoded()) << url.fileName();
        const QString text = lines.join(u'\n');
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    // Plain text: the addresses, one a line; percent-encoded, so every text type reads them.
    QByteArrayList lines;
    for (const QUrl& url : urls)
        lines << url.toEncoded();
    return lines.join('\n');
}

#ifdef VORNIX_XCB

namespace {

class XcbFileOffer final : public XdndFileOffer, public QAbstractNativeEventFilter {
  public:
    explicit XcbFileOffer(xcb_connection_t* c) : c_(c) {
        selection_ = atom("XdndSelection");
        targets_ = atom("TARGETS");
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        window_ = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, -10, -10, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_flush(c_);
        qApp->installNativeEventFilter(this);
    }

    ~XcbFileOffer() override {
        qApp->removeNativeEventFilter(this);
        xcb_destroy_window(c_, window_);
        xcb_flush(c_);
    }

    void offer(const QList<QUrl>& urls) override {
        urls_ = urls;
        retake();
    }

    void retake() override {
        // The server's time: a clock that a requestor moved ahead cannot make this fail.
        xcb_set_selection_owner(c_, window_, selection_, XCB_CURRENT_TIME);
        xcb_flush(c_);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_SELECTION_REQUEST: {
            const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
            if (request->owner != window_)
                return false;
            answer(*request);
            return true; // the toolkit must not see it: it would move its clock to the request's
        }
        case XCB_SELECTION_CLEAR:
            return reinterpret_cast<const xcb_selection_clear_event_t*>(event)->owner == window_;
        default: return false;
        }
    }

  private:
    xcb_atom_t atom(const QByteArray& name) {
        const auto reply = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, false, uint16_t(name.size()), name.constData()), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        if (a != XCB_ATOM_NONE)
            names_.insert(a, name);
        return a;
    }

    QByteArray atomName(xcb_atom_t a) {
        const auto known = names_.constFind(a);
        if (known != names_.constEnd())
            return *known;
        auto* reply = xcb_get_atom_name_reply(c_, xcb_get_atom_name(c_, a), nullptr);
        QByteArray name;
        if (reply) {
            name = QByteArray(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
            std::free(reply);
        }
        names_.insert(a, name);
        return name;
    }

    void answer(const xcb_selection_request_event_t& request) {
        // Clients older than the current conventions name no property: the target's name is used.
        const xcb_atom_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
        bool given = false;
        if (request.target == targets_) {
            QList<xcb_atom_t> atoms{targets_};
            for (const QByteArray& type : offeredTypes())
                atoms << atom(type);
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                                uint32_t(atoms.size()), atoms.constData());
            given = true;
        } else if (const auto bytes = fileListAs(atomName(request.target), urls_)) {
            // A list longer than one request would need the incremental transfer; none is that long
            // in practice, and a refusal is better than a list cut short.
            const qsizetype limit = qsizetype(xcb_get_maximum_request_length(c_)) * 4 - 64;
            if (bytes->size() <= limit) {
                xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, property, request.target, 8,
                                    uint32_t(bytes->size()), bytes->constData());
                given = true;
            }
        }
        // An event is sent as 32 bytes, more than the notification's structure holds.
        alignas(xcb_selection_notify_event_t) char event[32] = {};
        auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
        notify->response_type = XCB_SELECTION_NOTIFY;
        notify->time = request.time;
        notify->requestor = request.requestor;
        notify->selection = request.selection;
        notify->target = request.target;
        notify->property = given ? property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(c_, false, request.requestor, XCB_EVENT_MASK_NO_EVENT, event);
        xcb_flush(c_);
    }

    xcb_connection_t* c_;
    xcb_window_t window_ = 0;
    xcb_atom_t selection_ = XCB_ATOM_NONE, targets_ = XCB_ATOM_NONE;
    QHash<xcb_atom_t, QByteArray> names_;
    QList<QUrl> urls_;
};

} // namespace

std::unique_ptr<XdndFileOffer> XdndFileOffer::create() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return std::make_unique<XcbFileOffer>(x11->connection());
}

#else

std::unique_ptr<XdndFileOffer> XdndFileOffer::create() { return nullptr; }

#endif

} // namespace vornix
