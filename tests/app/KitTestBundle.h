#pragma once

#include "ScreenTestSupport.h"
#include "support/TempDir.h"

#include <QImage>
#include <cstdlib>

// The bundle and settings every kit test of this process reads: strings, the about lists, a
// hint page and artwork, in a private folder. Installed before anything looks at the bundle.
inline const TempDir& kitTestBundle() {
    static const TempDir* folder = [] {
        auto* dir = new TempDir;
        dir->write("bundle/Localizable.strings", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>TN_title</key><string>Tuning</string>
<key>TN_section</key><string>Sound</string>
<key>TN_footer</key><string>From the table</string>
<key>TN_standard</key><string>Standard</string>
<key>QVAbout_title</key><string>About</string>
<key>QVAbout_version</key><string>Version %@ (%@)</string>
<key>QVAbout_copyright</key><string>Copyright notice</string>
<key>Close</key><string>Close</string>
</dict></plist>)");
        dir->write("bundle/Info.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>CFBundleDisplayName</key><string>Fretkit</string>
<key>CFBundleShortVersionString</key><string>1.2</string>
<key>CFBundleVersion</key><string>42</string>
</dict></plist>)");
        dir->write("bundle/QVAbout.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><array>
<dict><key>contents</key><array><dict><key>class</key><string>QVAboutIconCell</string></dict></array></dict>
<dict><key>contents</key><array><dict><key>class</key><string>QVButtonTableViewCell</string>
<key>text</key><string>Web</string><key>link</key><string>https://example.org/</string></dict></array></dict>
<dict><key>title</key><string>Credits</string><key>contents</key><array/></dict>
</array></plist>)");
        dir->write("bundle/QVCredits.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><array>
<dict><key>role</key><string>Sound Design</string><key>value</key><string>A. Player</string></dict>
<dict><key>role</key><string>Artwork</string><key>value</key><string>B. Painter</string></dict>
</array></plist>)");
        dir->write("bundle/pages/TNHint.html",
                   "<html><body><p>Play one string.</p><a href=\"https://example.org/more\">"
                   "more</a> <a href=\"file:///etc/passwd\">bad</a></body></html>");
        dir->write("bundle/TNHint.html", "<html><body><p>Play one string.</p></body></html>");
        QImage image(30, 20, QImage::Format_ARGB32);
        image.fill(Qt::darkRed);
        image.save(QString::fromStdString(dir->file("bundle/TestImage.png")), "PNG");
        setenv("FRETKIT_BUNDLE", dir->file("bundle").c_str(), 1);
        setenv("FRETKIT_DEFAULTS", dir->file("defaults.plist").c_str(), 1);
        return dir;
    }();
    return *folder;
}
