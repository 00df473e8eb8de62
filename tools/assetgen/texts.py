"""The English language file: one attribute per interface text."""
from xml.sax.saxutils import quoteattr

# In the order the game reads them.
TEXTS = [
    ("title", "Kalup - match the jewels, clear the board"),
    ("classic_game", "Classic"),
    ("remove2_game", "Falling Rows"),
    ("ff_game", "Survival"),
    ("score", "Score:"),
    ("hiscore", "Record:"),
    ("no_more_moves", "No more moves left"),
    ("game_over", "Game Over"),
    ("congratulations_text", "Your score:"),
    ("new_record", "New record!"),
    ("congratulations", "Well done!"),
    ("game_completed", "Board cleared!"),
    ("level_label", "Level:"),
    ("press_space", "Press space to continue"),
    # headline of the screens that end a round without a move left
    ("level_completed", "Game Over"),
    ("level", "Level"),
    ("completed", "completed"),
    ("to_continue", "Press space for the next level"),
    ("game_mode", "Choose a game mode"),
    ("surv", "You survived:"),
    ("exit_label", "Press F10 to exit"),
    # over the dimmed board while a round stands still
    ("paused", "Paused"),
    # the help page (F1) and the tables of bests (B)
    ("help_title", "How to play"),
    ("help_classic", "Classic: each board you clear is a level."),
    ("help_remove2", "Falling Rows: new rows drop in, ever faster."),
    ("help_survival", "Survival: the board rises; hold out!"),
    ("help_score", "A group of n like pieces scores n x n."),
    ("help_bomb", "Bomb: click to blast a cross around it."),
    ("help_drop_bomb", "Drop bomb: blasts when it lands."),
    ("help_paint", "Paint pot: click to paint a cross."),
    ("help_close", "F1 or Escape closes this page"),
    ("help_hint", "Press F1 to learn how to play"),
    ("bests_title", "Best results"),
    ("bests_open", "B: best results"),
    ("bests_empty", "No results yet"),
    ("best_label", "Best:"),
    # the units of the survival timer at the top left
    ("timer_mins", "mins"),
    ("timer_secs", "secs"),
]


def write(path):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Translation>", "  <Text>", "    <string"]
    for key, value in TEXTS:
        lines.append("      %s=%s" % (key, quoteattr(value)))
    lines[-1] += " />"
    lines += ["  </Text>", "</Translation>", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
