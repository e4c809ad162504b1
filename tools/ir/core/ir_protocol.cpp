#include "ir_protocol.h"

#include "base/table_rows.h"

namespace {

struct ProtocolNames {
    IrProtocol protocol;
    const char* key;
    const char16_t* caption;
    const char* family;
    quint32 mask;
};

const ProtocolNames kNames[] = {
    {IrProtocol::kNec, "nec", u"NEC", "nec", 0xffff},
    {IrProtocol::kNecx, "necx", u"NEC 扩展", "nec", 0xffffff},
    {IrProtocol::kNec32, "nec32", u"NEC32", "nec", 0xffffffff},
    {IrProtocol::kRc5, "rc5", u"RC5", "rc-5", 0x1f7f},
    {IrProtocol::kRc6Mode0, "rc6_0", u"RC6-0", "rc-6", 0xffff},
    {IrProtocol::kSony12, "sony12", u"Sony12", "sony", 0x1f007f},
    {IrProtocol::kSony15, "sony15", u"Sony15", "sony", 0xff007f},
    {IrProtocol::kSony20, "sony20", u"Sony20", "sony", 0x1fff7f},
};

const ProtocolNames* names_of(IrProtocol protocol) {
    return find_row(kNames, &ProtocolNames::protocol, protocol);
}

}  // namespace

const std::vector<IrProtocol>& known_protocols() {
    static const std::vector<IrProtocol> protocols = table_column(kNames, &ProtocolNames::protocol);
    return protocols;
}

QString protocol_key(IrProtocol protocol) {
    const ProtocolNames* names = names_of(protocol);
    return names ? QString::fromLatin1(names->key) : QStringLiteral("unknown");
}

QString protocol_caption(IrProtocol protocol) {
    const ProtocolNames* names = names_of(protocol);
    return names ? QString::fromUtf16(names->caption) : QStringLiteral("未知");
}

QString keymap_protocol(IrProtocol protocol) {
    const ProtocolNames* names = names_of(protocol);
    return names ? QString::fromLatin1(names->family) : QStringLiteral("unknown");
}

quint32 scancode_mask(IrProtocol protocol) {
    const ProtocolNames* names = names_of(protocol);
    return names ? names->mask : 0;
}
