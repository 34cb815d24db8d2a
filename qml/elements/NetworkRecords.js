// Reading and writing the keyed records exchanged with the network manager. The records come
// from the platform as plain maps in which any key may be missing, null or of an odd type, so
// every reader here tolerates that instead of throwing.
.pragma library

function isRecord(value) {
    return value !== null && typeof value === "object" && !Array.isArray(value)
}

function hasKey(record, key) {
    return isRecord(record) && Object.prototype.hasOwnProperty.call(record, key)
}

// Display text of an information value: "---" for anything that carries no information.
function displayText(value) {
    if (Array.isArray(value))
        return value.length > 0 ? value.join("\n") : "---"
    if (value === undefined || value === null || value === "" || value === 0 || value === false)
        return "---"
    return String(value)
}

// Local date and time, in the given format, at which the lease in an information record ends;
// "" when the record names no usable end.
function leaseEndText(info, format) {
    if (!isRecord(info) || !isRecord(info.dhcp))
        return ""
    var expiry = Number(info.dhcp.expiry)
    if (!info.dhcp.expiry || !isFinite(expiry) || expiry === 0)
        return ""
    return Qt.formatDateTime(new Date(expiry * 1000), format)
}

// Whether a settings record asks for DHCP, the one rule of both settings pages: a record without
// the key does; otherwise only the boolean true or the text "true" does. Anything else ("false",
// 1, null, ...) is static, so that Save never turns a static interface into a DHCP one.
function isDhcp(settings) {
    if (!hasKey(settings, "dhcp"))
        return true
    return settings.dhcp === true || settings.dhcp === "true"
}

function textOf(value) {
    return value === undefined || value === null ? "" : String(value)
}

// Field texts for a settings record: IP, mask, gateway and the three name servers, all empty
// when the interface takes its addressing from DHCP.
function addressTexts(settings, dhcp) {
    var texts = { ipAddress: "", subnetMask: "", gateway: "", dns: ["", "", ""] }
    if (dhcp || !isRecord(settings))
        return texts
    texts.ipAddress = textOf(settings.ipAddress)
    texts.subnetMask = textOf(settings.subnetMask)
    texts.gateway = textOf(settings.gateway)
    var servers = Array.isArray(settings.dnsServer) ? settings.dnsServer : []
    for (var i = 0; i < 3 && i < servers.length; ++i)
        texts.dns[i] = textOf(servers[i])
    return texts
}

// checks: [{ label, text, acceptable, required }] in the order the form shows them. A required
// field fails when empty or unacceptable, an optional one only when it holds unacceptable text.
function invalidLabels(checks) {
    var labels = []
    for (var i = 0; i < checks.length; ++i) {
        var c = checks[i]
        var failed = c.text === "" ? c.required : !c.acceptable
        if (failed)
            labels.push(c.label)
    }
    return labels
}

// The record written back to the network manager; the platform takes it whole, so every key is
// always present. With DHCP the address keys are empty whatever the hidden fields still hold.
function settingsRecord(dhcp, ipAddress, subnetMask, gateway, dns) {
    if (dhcp)
        return { dhcp: true, ipAddress: "", subnetMask: "", gateway: "", dnsServer: [] }
    return {
        dhcp: false,
        ipAddress: ipAddress,
        subnetMask: subnetMask,
        gateway: gateway,
        dnsServer: [dns[0], dns[1], dns[2]]
    }
}
