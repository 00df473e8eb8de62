"""The typefaces of the game, from Debian font packages, where the game
finds them too: the build and the install link them into the game's fonts/
folder under the names it loads, and the package depends on their packages.

dscoptic.ttf (scores, labels, headlines): Ferrite Core DX, package fonts-ferrite-core, SIL OFL 1.1.
cristal.ttf (menu heading and title lines): Lobster Two Bold, package fonts-lobstertwo, SIL OFL 1.1.
jura.otf and kaffeesatz.otf stand in for those two where a language needs
letters they lack: Jura Medium (fonts-jura) and Yanone Kaffeesatz Bold
(fonts-yanone-kaffeesatz), both SIL OFL 1.1.
All are OpenType files that FreeType opens whatever their file name. The
generator draws the logo and the title pictures with them.
"""
DIGITAL_PACKAGE = "fonts-ferrite-core"
DIGITAL_FONT = "/usr/share/fonts/opentype/ferrite-core/FerriteCoreDX-Regular.otf"
DECORATIVE_PACKAGE = "fonts-lobstertwo"
DECORATIVE_FONT = "/usr/share/fonts/opentype/lobstertwo/LobsterTwo-Bold.otf"
LOGO_FONT = DECORATIVE_FONT

PACKAGES = [DIGITAL_PACKAGE, DECORATIVE_PACKAGE, "fonts-jura", "fonts-yanone-kaffeesatz"]
# The file each name the game loads stands for.
GAME_FONTS = {"dscoptic.ttf": DIGITAL_FONT, "cristal.ttf": DECORATIVE_FONT,
              "jura.otf": "/usr/share/fonts/opentype/jura/Jura-Medium.otf",
              "kaffeesatz.otf": "/usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Bold.otf"}
