"""The two typefaces the game ships, taken unchanged from Debian font packages.

dscoptic.ttf (scores, labels, headlines): Ferrite Core DX, package fonts-ferrite-core, SIL OFL 1.1.
cristal.ttf (menu heading and title lines): Lobster Two Bold, package fonts-lobstertwo, SIL OFL 1.1.
Both are OpenType files that FreeType opens whatever their file name.
"""
import os
import shutil

DIGITAL_PACKAGE = "fonts-ferrite-core"
DIGITAL_FONT = "/usr/share/fonts/opentype/ferrite-core/FerriteCoreDX-Regular.otf"
DECORATIVE_PACKAGE = "fonts-lobstertwo"
DECORATIVE_FONT = "/usr/share/fonts/opentype/lobstertwo/LobsterTwo-Bold.otf"
LOGO_FONT = DECORATIVE_FONT

PACKAGES = [DIGITAL_PACKAGE, DECORATIVE_PACKAGE]


def write(fonts_dir):
    os.makedirs(fonts_dir, exist_ok=True)
    for src, name, package in ((DIGITAL_FONT, "dscoptic", DIGITAL_PACKAGE),
                               (DECORATIVE_FONT, "cristal", DECORATIVE_PACKAGE)):
        shutil.copyfile(src, os.path.join(fonts_dir, name + ".ttf"))
        shutil.copyfile("/usr/share/doc/%s/copyright" % package,
                        os.path.join(fonts_dir, name + ".LICENSE.txt"))
