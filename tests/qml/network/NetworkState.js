// Writes the stand-in network manager's state file, the way an outside tool would, so a test
// can put any record the platform might hand over in front of a page.
.pragma library

function record(ip) {
    return { "ipAddress": ip, "subnetMask": "255.255.255.0", "gateway": "192.168.1.1",
             "nameservers": ["192.168.1.1"] }
}

function state(ethernetInfo, ethernetSettings, wifi) {
    var w = wifi || {}
    return {
        "ethernet": {
            "carrier": true,
            "connected": true,
            "macAddress": "02:00:00:00:00:01",
            "connectionSettings": ethernetSettings || { "dhcp": true, "ipAddress": "",
                "subnetMask": "", "gateway": "", "dnsServer": [] },
            "connectionInfo": ethernetInfo || {}
        },
        "wifi": {
            "connected": !!w.active,
            "macAddress": "02:00:00:5a:e1:02",
            "activeConnection": w.active || "",
            "connectionInfo": w.info || {},
            "accessPoints": w.accessPoints || [],
            "connections": w.connections || []
        }
    }
}

function write(path, content) {
    var request = new XMLHttpRequest()
    request.open("PUT", "file://" + path, false)
    request.send(JSON.stringify(content, null, 1))
}

// Key order differs between script objects and platform maps; compare them canonically.
function canonical(value) {
    if (Array.isArray(value))
        return "[" + value.map(canonical).join(",") + "]"
    if (value !== null && typeof value === "object") {
        return "{" + Object.keys(value).sort().map(function (k) {
            return JSON.stringify(k) + ":" + canonical(value[k])
        }).join(",") + "}"
    }
    return JSON.stringify(value)
}
