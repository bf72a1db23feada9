// The clipboard owner on Wayland: a client without a window may own the
// clipboard only through a data-control protocol. The standard one,
// ext-data-control-v1, and wlroots' zwlr_data_control_manager_v1 (sway,
// KWin) have the same requests and events under different names; their
// interface tables are built here from those names.
#include "runtime/clipboard.h"

#include <wayland-client.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace vellumar {
namespace {

// The four interfaces of one data-control protocol. primarySince is the
// version prefix of the primary-selection messages ("2" in wlroots', none in
// the standard one).
struct DataControl {
    DataControl(const char* prefix, const char* primarySince)
        : managerName(std::string(prefix) + "_manager_v1"),
          deviceName(std::string(prefix) + "_device_v1"),
          sourceName(std::string(prefix) + "_source_v1"),
          offerName(std::string(prefix) + "_offer_v1"),
          primary(std::string(primarySince) + "?o")
    {
        manager = {managerName.c_str(), 1, 3, managerRequests, 0, nullptr};
        device = {deviceName.c_str(), 1, 3, deviceRequests, 4, deviceEvents};
        source = {sourceName.c_str(), 1, 2, sourceRequests, 2, sourceEvents};
        offer = {offerName.c_str(), 1, 2, offerRequests, 1, offerEvents};
    }
    DataControl(const DataControl&) = delete;

    const std::string managerName, deviceName, sourceName, offerName, primary;
    wl_interface manager{}, device{}, source{}, offer{};
    const wl_interface* none[2] = {nullptr, nullptr};
    const wl_interface* newSource[1] = {&source};
    const wl_interface* newDevice[2] = {&device, &wl_seat_interface};
    const wl_interface* aSource[1] = {&source};
    const wl_interface* anOffer[1] = {&offer};
    const wl_message managerRequests[3] = {
        {"create_data_source", "n", newSource}, {"get_data_device", "no", newDevice}, {"destroy", "", none}};
    const wl_message deviceRequests[3] = {
        {"set_selection", "?o", aSource}, {"destroy", "", none}, {"set_primary_selection", primary.c_str(), aSource}};
    const wl_message deviceEvents[4] = {{"data_offer", "n", anOffer},
                                        {"selection", "?o", anOffer},
                                        {"finished", "", none},
                                        {"primary_selection", primary.c_str(), anOffer}};
    const wl_message sourceRequests[2] = {{"offer", "s", none}, {"destroy", "", none}};
    const wl_message sourceEvents[2] = {{"send", "sh", none}, {"cancelled", "", none}};
    const wl_message offerRequests[2] = {{"receive", "sh", none}, {"destroy", "", none}};
    const wl_message offerEvents[1] = {{"offer", "s", none}};
};

enum : uint32_t { kCreateDataSource = 0, kGetDataDevice = 1, kSetSelection = 0, kOffer = 0, kDestroy = 1 };

struct Owner {
    std::string text;
    DataControl* protocol = nullptr;
    wl_proxy* manager = nullptr;
    wl_seat* seat = nullptr;
    wl_proxy* offers[2] = {};  // the compositor's offers of the selection and the primary selection
    bool done = false;         // replaced, or the seat has gone
};

DataControl& standardProtocol()
{
    static DataControl protocol("ext_data_control", "");
    return protocol;
}

DataControl& wlrootsProtocol()
{
    static DataControl protocol("zwlr_data_control", "2");
    return protocol;
}

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto& owner = *static_cast<Owner*>(data);
    for (DataControl* protocol : {&standardProtocol(), &wlrootsProtocol()}) {
        // The standard protocol wins over wlroots' where both are offered.
        if (protocol->managerName == interface && (!owner.protocol || protocol == &standardProtocol())) {
            if (owner.manager)
                wl_proxy_destroy(owner.manager);
            owner.protocol = protocol;
            owner.manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &protocol->manager, 1));
        }
    }
    if (!owner.seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        owner.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

// The device's events: an offer is announced, then made the (primary)
// selection, which drops the one before.
void dataOffer(void*, wl_proxy*, wl_proxy*) {}
void setOffer(Owner& owner, int which, wl_proxy* offer)
{
    if (owner.offers[which] && owner.offers[which] != offer)
        wl_proxy_marshal_flags(owner.offers[which], kDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    owner.offers[which] = offer;
}
void selection(void* data, wl_proxy*, wl_proxy* offer) { setOffer(*static_cast<Owner*>(data), 0, offer); }
void primarySelection(void* data, wl_proxy*, wl_proxy* offer) { setOffer(*static_cast<Owner*>(data), 1, offer); }
void finished(void* data, wl_proxy*) { static_cast<Owner*>(data)->done = true; }

constexpr char kSecretHint[] = "x-kde-passwordManagerHint";

// Writes the text (or the hint's value) to a reader, giving a reader that
// stalls 5 s up.
void send(void* data, wl_proxy*, const char* type, int32_t fd)
{
    const std::string text = std::strcmp(type, kSecretHint) == 0 ? "secret" : static_cast<Owner*>(data)->text;
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    for (std::size_t sent = 0; sent < text.size();) {
        const ssize_t n = ::write(fd, text.data() + sent, text.size() - sent);
        pollfd writable = {fd, POLLOUT, 0};
        if (n > 0)
            sent += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n == 0 || errno != EAGAIN || ::poll(&writable, 1, 5000) <= 0)
            break;
    }
    ::close(fd);
}
void cancelled(void* data, wl_proxy*) { static_cast<Owner*>(data)->done = true; }

const wl_registry_listener kRegistryListener = {global, globalRemoved};
void (*const kDeviceListener[])() = {reinterpret_cast<void (*)()>(dataOffer), reinterpret_cast<void (*)()>(selection),
                                     reinterpret_cast<void (*)()>(finished),
                                     reinterpret_cast<void (*)()>(primarySelection)};
void (*const kSourceListener[])() = {reinterpret_cast<void (*)()>(send), reinterpret_cast<void (*)()>(cancelled)};

}  // namespace

int runWaylandClipboardOwner(const std::string& text)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return 1;
    // A reader that goes away early must not end the owner.
    ::signal(SIGPIPE, SIG_IGN);
    Owner owner{text};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &owner);
    if (wl_display_roundtrip(display) < 0 || !owner.manager || !owner.seat) {
        wl_display_disconnect(display);
        return 1;
    }
    DataControl& protocol = *owner.protocol;
    auto* device = wl_proxy_marshal_flags(owner.manager, kGetDataDevice, &protocol.device, 1, 0, nullptr,
                                          owner.seat);
    wl_proxy_add_listener(device, const_cast<void (**)()>(kDeviceListener), &owner);
    auto* source = wl_proxy_marshal_flags(owner.manager, kCreateDataSource, &protocol.source, 1, 0, nullptr);
    wl_proxy_add_listener(source, const_cast<void (**)()>(kSourceListener), &owner);
    // The types Qt offers for text, and the secret hint.
    for (const char* type : {"text/plain;charset=utf-8", "text/plain", kSecretHint})
        wl_proxy_marshal_flags(source, kOffer, nullptr, 1, 0, type);
    wl_proxy_marshal_flags(device, kSetSelection, nullptr, 1, 0, source);
    if (wl_display_roundtrip(display) < 0 || owner.done) {
        wl_display_disconnect(display);
        return 1;
    }
    // Report success; the caller's pipe is let go of.
    if (::write(STDOUT_FILENO, "1", 1) != 1)
        return 1;
    const int devNull = ::open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
        ::dup2(devNull, STDOUT_FILENO);
        ::close(devNull);
    }
    while (!owner.done && wl_display_dispatch(display) >= 0) {
    }
    wl_display_disconnect(display);
    return 0;
}

}  // namespace vellumar
