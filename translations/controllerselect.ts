<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>AddressForm</name>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Static</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNS 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNS 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNS 3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CheckInputDialog</name>
    <message>
        <source>Check input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please check the following fields</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControllerListPage</name>
    <message>
        <source>Search network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControllerWebPage</name>
    <message>
        <source>This display does not save files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This display does not open files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This display has no colour picker.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This display does not start other programs.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeadPageNotice</name>
    <message>
        <source>The page has stopped. It is restarted shortly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open controller list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page does not respond. It is restarted shortly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller list can always be reached by pulling down from the top edge of the screen.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EthernetInfoPage</name>
    <message>
        <source>Ethernet info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EthernetSettingsPage</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display timeout [s]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IPTextField</name>
    <message>
        <source>X.X.X.X[:80]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X.X.X.X</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InfoTable</name>
    <message>
        <source>%1 secs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nameservers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DHCP Lease</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoadFailureStrip</name>
    <message>
        <source>The display&apos;s network cable is unplugged or its Ethernet link is down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller&apos;s web server answered with an error (%1). It may still be starting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller does not answer. Check that it is switched on and connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page is loaded again once the controller answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open controller list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller list can always be reached by pulling down from the top edge of the screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trying again in 1 second.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trying again in %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebContextMenu</name>
    <message>
        <source>Open controller list</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebDialogs</name>
    <message>
        <source>Log in to the proxy %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log in to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Realm: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave this page? Changes you made may not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop dialogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This page asked too often. Its messages are not shown until it is loaded again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WifiInfoPage</name>
    <message>
        <source>WiFi info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected to WiFi &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected to any WiFi network</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WifiPage</name>
    <message>
        <source>Access Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wifi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete connection &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the Wifi connection to &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WifiRow</name>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WifiSettingsPage</name>
    <message>
        <source>WiFi settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to WiFi &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings for WiFi &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
