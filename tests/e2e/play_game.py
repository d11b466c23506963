#!/usr/bin/env python3
"""The whole game, played from outside: the real executable in a temporary copy of data/ with a
temporary HOME, on its own X server, driven only through X input (xdotool) and seen only through
screenshots (ImageMagick's import). Every screen is waited for by polling its pixels at the
places the game puts things; with --shots every awaited screen is also written there as PNG.

The parts run beside each other, each on its own X server: "first" (a new player through the
first three levels, the menus and a restart that keeps them), "last" (a player who has won those
three: the last level, the final cut, the bonus map) and "full_screen" (full screen and back).

usage: play_game.py GAME DATA [--shots DIR] [--part first|last|full_screen|all]
"""

import argparse
import math
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xgame import Failure, cursor_at, run_outside  # noqa: E402

NAME = "ANNA"


# --- colours --------------------------------------------------------------------------------------

def green(c):
    return c[1] > c[0] + 40 and c[1] > c[2] + 30


def red(c):
    return c[0] > c[1] + 60 and c[0] > c[2] + 40


def blue(c):
    return c[2] > c[0] + 50 and c[2] > c[1] + 20


def orange(c):
    return c[0] > 190 and 80 < c[1] < 170 and c[2] < 90


def gold(c):
    return c[0] > 170 and c[1] > 120 and c[2] < 110 and c[0] > c[2] + 80


# --- the screens, by what stands where ------------------------------------------------------------

def loading(s):
    # The grey progress bar on the purple loading picture.
    bar, back = s.mean(600, 375, 740, 395), s.mean(100, 300, 200, 400)
    return abs(bar[0] - bar[2]) < 20 and 70 < bar[0] < 130 and back[2] > back[1] + 30


def main_menu(s):
    # PLAY green, SETTINGS blue, EXIT red, no dialog over them.
    return green(s.mean(325, 444, 510, 452)) and blue(s.mean(540, 444, 728, 452)) and red(s.mean(540, 545, 728, 552))


def new_player_form(s):
    # The dialog's green OK and grey CANCEL over a dimmed menu.
    c = s.mean(585, 470, 660, 495)
    return green(s.mean(365, 470, 445, 495)) and abs(c[0] - c[2]) < 30 and not main_menu(s)


def intro(s):
    return orange(s.mean(805, 676, 915, 683))


def world_map(s):
    # NEXT green, MENU blue, TROPHIES gold down the left side.
    return green(s.mean(45, 586, 135, 592)) and blue(s.mean(45, 638, 135, 646)) and gold(s.mean(45, 690, 135, 698))


def bonus_map(s):
    # MENU and TROPHIES, no NEXT: where its white letters would stand there is only the green
    # hill, as green as the NEXT button itself.
    letters = sum(1 for x in range(50, 135, 2) for y in range(592, 616, 2) if min(s.pixel(x, y)) > 220)
    return blue(s.mean(45, 638, 135, 646)) and gold(s.mean(45, 690, 135, 698)) and letters == 0


def level_frame(s):
    # The frame: the brown left bar with the blue MENU and PAUSE buttons.
    bar = s.mean(112, 300, 126, 700)
    return abs(bar[0] - 99) < 25 and abs(bar[1] - 68) < 25 and abs(bar[2] - 41) < 25 and blue(s.mean(15, 228, 95, 233))


def plate(c):
    # Dark blue, half see-through: what lies under it shades it.
    return c[2] > c[0] + 20 and c[2] > c[1] + 15 and sum(c) / 3 < 90


def start_prompt(s):
    # "CLICK OR PRESS SPACE" on its dark plate in the middle of the field.
    return level_frame(s) and plate(s.mean(343, 328, 348, 374)) and plate(s.mean(840, 328, 846, 374))


def more_field(s, direction):
    """Whether the frame's gold arrow says the field goes on that way."""
    box = (945, 365, 1024, 405) if direction == "right" else (490, 650, 570, 732)
    return sum(1 for x in range(box[0], box[2], 2) for y in range(box[1], box[3], 2) if gold(s.pixel(x, y))) > 20


def score_count(s):
    # The green OK at the bottom right over the purple background.
    back = s.mean(300, 100, 700, 110)
    return green(s.mean(780, 686, 890, 696)) and back[2] > back[1] + 15 and back[0] > back[1]


def trophies(s):
    # The green OK at the bottom right, no level frame, no map buttons.
    return green(s.mean(885, 688, 970, 694)) and not world_map(s) and not level_frame(s) and not score_count(s)


def high_scores(s):
    # OK green at the bottom left, CLEAR orange at the bottom right.
    return green(s.mean(110, 660, 185, 664)) and orange(s.mean(840, 660, 915, 664))


def music_knob(s):
    """The x of the music track bar's gold knob on the Settings form, or None."""
    xs = [x for x in range(340, 720) if gold(s.pixel(x, 290)) or gold(s.pixel(x, 300))]
    return sum(xs) / len(xs) if xs else None


def settings_form(s):
    # OK green, CREDITS blue on the dialog, a knob on the music bar.
    return green(s.mean(510, 540, 585, 544)) and blue(s.mean(665, 540, 740, 544)) and music_knob(s) is not None


def are_you_sure(s):
    return green(s.mean(320, 340, 465, 346)) and red(s.mean(560, 340, 705, 346))


def player_list(s):
    # The dialog's green OK and grey CANCEL below the list, no main menu.
    c = s.mean(470, 560, 550, 564)
    return green(s.mean(310, 560, 390, 564)) and abs(c[0] - c[2]) < 30 and not main_menu(s)


def credits(s):
    # The picture over the whole window, dark blue.
    c = s.mean(100, 300, 900, 700)
    return c[2] > c[0] + 20 and sum(c) / 3 < 80


def game_menu(s):
    return not level_frame(s) and s.brightness(0, 0, 1024, 768) > 20 and not main_menu(s) and not world_map(s)


# --- strokes --------------------------------------------------------------------------------------

def field_to_window(x, y, view_x, view_y):
    """A play-field point (screens; the field is 896 x 732 px right of the 128 px bar) to window px."""
    return ((x - view_x) * 0.875 + 0.125) * 1024.0, (y - view_y) * 0.953125 * 768.0


def spell_stroke(tool, x, y, width, height, view_x=0.0, view_y=0.0):
    """The pointer path that makes the game place a spell at a field point. x, y: the wall's or
    teleport's foot, the bridge's top, the wind's centre; width, height: the stroke's box on the
    game's 256 x 256 canvas, which spans the window."""
    w, h = width / 256.0 * 1024.0, height / 256.0 * 768.0
    cx, cy = field_to_window(x, y, view_x, view_y)
    if tool not in ("windright", "windleft"):
        cy -= h / 2.0
    left, right, top, bottom = cx - w / 2, cx + w / 2, cy - h / 2, cy + h / 2
    if tool == "wall":
        return [(left + (right - left) * i / 12.0, top + (bottom - top) * i / 12.0) for i in range(13)]
    if tool == "bridge":
        return [(cx - w / 2 * math.cos(math.pi * i / 16.0), bottom - h * math.sin(math.pi * i / 16.0)) for i in range(17)]
    if tool == "windright":
        return [(left + (right - left) * i / 8.0, top + h / 2 * i / 8.0) for i in range(9)] + \
               [(right - (right - left) * i / 8.0, cy + h / 2 * i / 8.0) for i in range(1, 9)]
    if tool == "windleft":
        return [(right - (right - left) * i / 8.0, top + h / 2 * i / 8.0) for i in range(9)] + \
               [(left + (right - left) * i / 8.0, cy + h / 2 * i / 8.0) for i in range(1, 9)]
    if tool == "teleport":
        return [(cx + w / 2 * math.cos(-math.pi / 2 + 2.2 * math.pi * i / 24.0),
                 cy + h / 2 * math.sin(-math.pi / 2 + 2.2 * math.pi * i / 24.0)) for i in range(25)]
    raise ValueError(tool)


# Per main level: the view the player scrolls to ("right", "down" or None) and the casts: when
# (seconds after the start prompt), which spell, where (field point) and how large (canvas px).
LEVELS = {
    "level1": ("right", [(0, "wall", 1.25, 0.85, 20, 50)]),
    "lvl2": (None, [(1, "bridge", 0.53, 0.85, 60, 30)]),
    "level3": ("down", [(10.5, "windright", 0.45, 1.78, 40, 40), (19, "windleft", 0.62, 1.75, 40, 40)]),
    "lvl4": (None, [(3, "wall", 0.31, 0.85, 20, 50), (12, "teleport", 0.37, 0.85, 40, 40)]),
}


class Player:
    def __init__(self, game):
        self.g = game

    def see(self, name, check, timeout=30.0):
        return self.g.wait_for(name, check, timeout)

    def look(self, name, seconds=0.0):
        """A screenshot kept for the record after a short wait."""
        time.sleep(seconds)
        return self.g.shot(name)

    # --- screens ---

    def quit(self):
        """From the main menu: EXIT, and YES when asked."""
        self.g.click(634, 521)
        self.see("are you sure", are_you_sure, 10)
        self.g.click(392, 372)

    def splash_to_menu(self, first):
        g = self.g
        self.see("loading", loading, 30)
        self.see("splash", lambda s: s.brightness(0, 0, 1024, 768) > 30 and not loading(s) and not main_menu(s)
                 and not new_player_form(s), 30)
        if first:
            form = self.see("new player form", new_player_form, 30)
            g.xdo("type", NAME.lower())  # typed as a script types: each key down and up at once
            typed = self.see("name typed", lambda s: s.changed(form, 340, 290, 700, 320) > 10, 10)
            g.click(405, 483)
            menu = self.see("main menu", main_menu, 15)
        else:
            menu = self.see("main menu", main_menu, 30)
        # "Welcome! NAME" in red letters, centred at the top.
        letters = sum(1 for x in range(312, 712, 2) for y in range(165, 200, 2) if red(menu.pixel(x, y)))
        if letters < 20:
            raise Failure("no welcome text on the main menu")
        return menu

    def play_level(self, name, view, casts, tries=3, menu=False):
        """From the level's start prompt to its end; True when won. With menu, the in-game menu
        is opened at the prompt and left with RESUME first."""
        g = self.g
        for attempt in range(tries):
            self.see("%s start prompt" % name, start_prompt, 40)
            g.point(600, 300)
            vx = vy = 0.0
            if view:
                # The view scrolls at the prompt already, before the level's clock runs.
                self.scroll(view)
                vx, vy = (1.0, 0.0) if view == "right" else (0.0, 1.0)
            g.tap_key("space")  # read by polling the keyboard: a tap must not slip between polls
            start = time.monotonic()
            self.see("%s running" % name, lambda s: level_frame(s) and not start_prompt(s), 10)
            if menu and attempt == 0:
                played = time.monotonic() - start
                g.tap_key("Escape")
                self.see("in-game menu", game_menu, 10)
                g.click(350, 308)  # RESUME
                self.see("%s resumed" % name, level_frame, 10)
                start = time.monotonic() - played
            for at, tool, x, y, w, h in casts:
                # The stroke takes about a second and a half to draw.
                wait = at - 1.5 - (time.monotonic() - start)
                if wait > 0:
                    time.sleep(wait)
                before = g.shot()
                g.stroke(spell_stroke(tool, x, y, w, h, vx, vy))
                g.point(600, 250)
                after = g.shot("%s %s cast" % (name, tool))
                g.say("%6.1f s  %s cast at %.1f s of play, score plate changed: %d" % (
                    time.monotonic() - g.started, tool, time.monotonic() - start, after.changed(before, 780, 740, 950, 765)))
            # The level ends: the next screen, the start prompt again when it was lost, or the map
            # when that cost the last life.
            end = self.see("%s over" % name, lambda s: score_count(s) or intro(s) or start_prompt(s) or world_map(s), 150)
            if not start_prompt(end) and not world_map(end):
                return True
            g.say("         %s lost, again" % name)
            if world_map(end):
                g.click(90, 604)  # NEXT
        raise Failure("%s not won in %d tries" % (name, tries))

    def scroll(self, direction):
        g = self.g
        key = "Right" if direction == "right" else "Down"
        g.xdo("keydown", key)
        try:
            self.see("scrolled %s" % direction, lambda s: not more_field(s, direction), 15)
        finally:
            g.xdo("keyup", key)
        time.sleep(0.5)  # the view stands at its edge


def after_level(player, name):
    """From a won level's end to the map: its comic (skipped), the score count, a new trophy."""
    g = player.g
    seen = player.see("%s comic or score" % name, lambda s: score_count(s) or intro(s), 20)
    if not score_count(seen):
        player.look("%s comic later" % name, 2.0)
        g.click(862, 699)  # SKIP
        player.see("%s score count" % name, score_count, 20)
    player.look("%s score counted" % name, 3.0)
    g.click(835, 665)  # OK
    after = player.see("%s trophies or map" % name, lambda s: trophies(s) or world_map(s), 20)
    if trophies(after):
        player.look("%s trophy shown" % name, 2.0)
        g.click(927, 707)  # OK
        after = player.see("%s map" % name, world_map, 20)
    return after


def menus_and_quit(player):
    """From the map: the main menu, the high-score table, a setting changed, quit confirmed."""
    g = player.g
    g.click(90, 654)  # MENU
    player.see("main menu again", main_menu, 20)
    g.click(418, 521)  # HIGH SCORES
    table = player.see("high scores", high_scores, 10)
    # The player's row: the name in the first column and the best score in the last.
    row = sum(1 for x in range(20, 400, 2) for y in range(158, 180) if sum(table.pixel(x, y)) > 600)
    score = sum(1 for x in range(620, 900, 2) for y in range(158, 180) if sum(table.pixel(x, y)) > 600)
    if row < 10 or score < 5:
        raise Failure("no row for %s in the high-score table" % NAME)
    g.click(150, 675)  # OK
    player.see("main menu after scores", main_menu, 10)
    g.click(512, 243)  # NOT YOU? CHANGE PLAYER
    player.see("player list", player_list, 10)
    player.look("player list with the player selected", 1.0)
    g.click(512, 544)  # CANCEL
    player.see("main menu after the player list", main_menu, 10)
    g.click(634, 420)  # SETTINGS
    before = player.see("settings", settings_form, 10)
    if music_knob(before) < 650:
        raise Failure("the music volume does not start at full")
    g.click(450, 300)  # on the music track bar, a quarter along
    player.see("music volume lowered", lambda s: settings_form(s) and abs(music_knob(s) - 450) < 15, 10)
    g.click(702, 553)  # CREDITS
    player.see("credits", credits, 10)
    player.look("credits shown", 1.0)
    g.click(512, 384)  # anywhere on the picture
    player.see("settings after the credits", settings_form, 10)
    g.click(547, 553)  # OK
    player.see("main menu after settings", main_menu, 10)
    player.quit()


def run_first(player):
    g = player.g
    player.splash_to_menu(first=True)
    # As a script drives it: an absolute move the game's cursor follows, then a click on PLAY
    # with no pause between press and release.
    g.warp(600, 300)
    g.wait_for("cursor after an absolute move", lambda s: cursor_at(s, 600, 300), 5)
    g.tap(420, 420)  # PLAY
    player.see("intro", intro, 15)
    player.look("intro later", 3.0)
    g.click(862, 699)  # SKIP
    player.see("world map", world_map, 20)
    g.point(235, 585)  # the first level's pot, its tip shown
    player.look("map with a pot tip", 1.0)
    g.click(235, 585)
    view, casts = LEVELS["level1"]
    player.play_level("level1", view, casts)
    after_level(player, "level1")
    for name in ("lvl2", "level3"):
        g.click(90, 604)  # NEXT
        view, casts = LEVELS[name]
        player.play_level(name, view, casts, menu=name == "level3")
        after_level(player, name)
    menus_and_quit(player)


def run_kept(player):
    """The same player after a restart: kept profile, progress and setting; quit from the map."""
    g = player.g
    player.splash_to_menu(first=False)
    g.click(634, 420)  # SETTINGS
    player.see("music volume kept", lambda s: settings_form(s) and abs(music_knob(s) - 450) < 15, 10)
    g.click(547, 553)  # OK
    player.see("main menu", main_menu, 10)
    g.click(420, 420)  # PLAY: the map, since the player has a level
    player.see("map with progress", world_map, 20)
    g.click(90, 654)  # MENU
    player.see("main menu from the map", main_menu, 20)
    player.quit()


def run_last(player):
    """A player who has won the first three levels: the last level, the final cut, the bonus map;
    quit."""
    g = player.g
    player.splash_to_menu(first=False)
    g.click(420, 420)  # PLAY: the map, since the player has a level
    player.see("map with progress", world_map, 20)
    g.click(90, 604)  # NEXT
    view, casts = LEVELS["lvl4"]
    player.play_level("lvl4", view, casts)
    # After the last level: its count, its trophy, then the final cut, which a click ends once it
    # has run its 66 seconds; the main menu follows.
    deadline = g.deadline(60)
    final_since = None
    while final_since is None:
        if g.passed(deadline):
            raise Failure("no final cut after the last level")
        s = g.shot()
        if score_count(s):
            player.look("lvl4 score count", 2.0)
            g.click(835, 665)
        elif trophies(s):
            player.look("lvl4 trophy", 1.0)
            g.click(927, 707)
        elif (s.brightness(0, 0, 1024, 768) > 15 and not world_map(s) and not level_frame(s) and not main_menu(s)
              and not intro(s)):
            time.sleep(1.0)
            again = g.shot()
            if not score_count(again) and not trophies(again) and again.changed(s, 0, 0, 1024, 768, 8) > 0:
                final_since = time.monotonic() - 1.0
                g.say("%6.1f s  seen: final cut" % (time.monotonic() - g.started))
        time.sleep(0.3)
    for at in (2, 15, 27, 35, 53):  # 27: the credits leave over the top; 53: the second picture
        time.sleep(max(0.0, final_since + at - time.monotonic()))
        player.look("final cut at %d s" % at)
    time.sleep(max(0.0, final_since + 67 - time.monotonic()))
    for _ in range(10):
        g.tap(512, 600)  # read by the main thread's button flag: one frame of a plain click is enough
        try:
            player.see("main menu after the game", main_menu, 3)
            break
        except Failure:
            pass
    else:
        raise Failure("the final cut did not lead to the main menu")
    # BONUS LEVELS, enabled once the game is finished; a click that lands while the menu is still
    # fading in is not taken, so it is given again until the bonus map shows.
    for _ in range(5):
        g.click(525, 320)
        try:
            player.see("bonus map", bonus_map, 5)
            break
        except Failure:
            pass
    else:
        raise Failure("BONUS LEVELS did not lead to the bonus map")
    g.click(90, 654)  # MENU
    player.see("main menu from the bonus map", main_menu, 20)
    player.quit()


def run_full_screen(player):
    """Settings, FULL SCREEN and back on a server without a window manager: whatever size the
    window gets, the picture fills it and a click lands where its target is drawn."""
    g = player.g
    player.splash_to_menu(first=True)
    g.click(634, 420)  # SETTINGS
    windowed = player.see("settings", settings_form, 10)
    g.click(373, 553)  # FULL SCREEN
    g.wait_for("full screen asked", lambda s: s.changed(windowed, 290, 535, 460, 570) > 10, 10, follow=True)
    time.sleep(2.0)  # the window's change comes after the click is taken
    # The same picture as before, scaled to the window: only the box's tick and the cursor differ.
    full = g.wait_for("full screen", lambda s: settings_form(s) and s.changed(windowed, 0, 0, 1024, 768, 8) < 400,
                      10, follow=True)
    g.say("         window %dx%d at %d, %d" % (g.size + g.origin))
    g.click(373, 553)  # FULL SCREEN again, where it is drawn now
    g.wait_for("windowed again", lambda s: g.size == (1024, 768) and settings_form(s) and
               s.changed(full, 290, 535, 460, 570) > 10, 10, follow=True)
    g.click(547, 553)  # OK
    player.see("main menu after full screen", main_menu, 10)
    player.quit()


def check_exit(game, log_lines_before=0):
    code = game.wait_exit(20)
    if code != 0:
        raise Failure("the game ended with exit code %s: %s" % (code, game.output()))
    log = os.path.join(game.save_folder, "log.txt")
    with open(log, errors="replace") as f:
        lines = f.read().splitlines()
    bad = [l for l in lines if re.search(r"error|exception|can't|failed", l, re.I)]
    if bad:
        raise Failure("the log shows errors: %s" % bad[:5])
    game.say("%6.1f s  ended with 0; log clean (%d lines)" % (time.monotonic() - game.started, len(lines)))


def play(game, part):
    player = Player(game)
    if part in ("first", "all"):
        game.launch()
        run_first(player)
        check_exit(game)
        game.launch()
        run_kept(player)
        check_exit(game)
    if part in ("last", "all"):
        if part == "last":
            # The profile the first part leaves: the first three levels won.
            os.makedirs(game.save_folder)
            shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "three_levels_won.xml"),
                        os.path.join(game.save_folder, "users.xml"))
        game.launch()
        run_last(player)
        check_exit(game)
        users = open(os.path.join(game.save_folder, "users.xml")).read()
        if 'Name="%s"' % NAME not in users or 'Level="done"' not in users:
            raise Failure("users.xml does not keep the finished game: %s" % users)
    if part in ("full_screen", "all"):
        if part == "all":
            shutil.rmtree(game.save_folder)
        game.launch()
        run_full_screen(player)
        check_exit(game)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("data")
    parser.add_argument("--shots")
    parser.add_argument("--part", default="all", choices=("first", "last", "full_screen", "all"))
    args = parser.parse_args()
    if args.shots:
        shutil.rmtree(args.shots, ignore_errors=True)
        os.makedirs(args.shots)
    return run_outside(args.game, args.data, args.shots, lambda game: play(game, args.part))


if __name__ == "__main__":
    sys.exit(main())
