#!/usr/bin/python3
"""Writes every XML file of the demo content set except Res/textures.xml, Res/fontmetrics.xml
(written by gen_art.py) and Res/nn.xml (written by the gesture trainer).

Usage: gen_data.py <data dir>
"""

import math
import os
import sys

from xmlkit import E, document, vec, rect, sprite, frame_anim, floating_anim

# ---------------------------------------------------------------- game-object definitions

ACTOR_ATTRS = [("speed", 0.06, "Double"), ("direction", 1, "Long"), ("delay", 0.0, "Double"),
               ("time_limit", 120.0, "Double")]

# The three walkers: definition file, name, texture, height (play-field or window fractions) and
# the part of its sheet's height a walk cell uses. Balychahl is the short one: the score count
# puts each walker by the top of its box above its bar (y 0.076 over 0.196, 0.293 over 0.447,
# 0.541 over 0.695), so the other two are 0.154 tall to stand on theirs. Their sheets keep the
# texel density of the short one's (128 rows for 0.12): 164 rows of 256.
ACTORS = [("balychahl.xml", "Balychahl", "OBJ_BALYCHAHL", 0.12, 1.0),
          ("chumbachukchul.xml", "Chumbachukchul", "OBJ_CHUMBACHUKCHUL", 0.154, 164 / 256),
          ("snupulnel.xml", "SnuPulnel", "OBJ_SNUPULNEL", 0.154, 164 / 256)]


def attributes(items):
    return E("Attributes", {}, [E("Attribute", {"Name": n, "Value": v, "Type": t}) for n, v, t in items])


def walk_states(mesh, texture, w, h, used_v=1.0):
    """Four walk cells across the top used_v of the sheet; falling shows the first."""
    return [
        ("walk", [sprite(mesh + "_walk", texture, (0, 0, w, h),
                         anim=frame_anim("walk", texture, 4, 1, 8, indent=(0, 0, 1, used_v)))]),
        ("fall", [sprite(mesh + "_fall", texture, (0, 0, w, h), tex=(0, 0, 0.25, used_v))]),
    ]


def idle(mesh, texture, w, h, anim=None):
    return [("idle", [sprite(mesh, texture, (0, 0, w, h), anim=anim)])]


def definition(name, type_name, enable, gravity, order, half, mass, states, attrs=()):
    hx, hy = half
    tile = E("Tile", {"ID": 0, "GeomType": 0}, [
        vec("HalfSize", hx, hy),
        E("Body", {"ID": 0, "Mass": float(mass)}, [vec("Position", 0, 0), vec("Velocity", 0, 0)]),
    ])
    state_elems = E("States", {}, [E("State", {"Name": s}, sprites) for s, sprites in states])
    return E("GameObject", {"Name": name, "IsEnable": enable, "GravityAction": gravity,
                            "GameObjectType": type_name, "RenderOrder": order},
             [tile, state_elems, attributes(attrs)])


def definitions():
    """(file name, element) for every game object, in list order."""
    defs = []
    for file, name, tex, height, used_v in ACTORS:
        defs.append((file, definition(name, "RGGOT_ACTOR", 1, 1, 50, (0.03, height / 2), 1,
                                      walk_states(name.lower(), tex, 0.06, height, used_v), ACTOR_ATTRS)))
    defs += [
        ("portal.xml", definition("Portal", "RGGOT_PORTAL", 1, 0, 20, (0.04, 0.08), 0,
                                  idle("portal", "OBJ_PORTAL", 0.08, 0.16, frame_anim("idle", "OBJ_PORTAL", 4, 1, 6)))),
        ("ground.xml", definition("Ground", "RGGOT_WALL", 1, 0, 10, (0.5, 0.075), 0,
                                  idle("ground", "OBJ_GROUND", 1.0, 0.15), [("tile_u", 0.0625, "Double")])),
        ("block.xml", definition("Block", "RGGOT_WALL", 1, 0, 11, (0.05, 0.025), 0,
                                 idle("block", "OBJ_GROUND", 0.1, 0.05), [("tile_u", 0.0625, "Double")])),
        ("tree.xml", definition("Tree", "RGGOT_SIMPLE", 1, 0, 5, (0.05, 0.1), 0, idle("tree", "OBJ_TREE", 0.1, 0.2))),
        ("water.xml", definition("Water", "RGGOT_LETHAL", 1, 0, 40, (0.1, 0.05), 0,
                                 idle("water", "OBJ_LETHAL", 0.2, 0.1, floating_anim("idle", "OBJ_LETHAL", 1, 0.05)))),
        ("lift.xml", definition("Lift", "RGGOT_LIFT", 1, 0, 25, (0.08, 0.015), 0, idle("lift", "OBJ_LIFT", 0.16, 0.03),
                                [("min_y", 0.5, "Double"), ("max_y", 0.8, "Double"), ("speed", 0.1, "Double")])),
        ("monster.xml", definition("Monster", "RGGOT_MONSTR", 1, 1, 45, (0.035, 0.035), 1,
                                   walk_states("monster", "OBJ_MONSTER", 0.07, 0.07),
                                   [("speed", 0.05, "Double"), ("direction", -1, "Long")])),
        ("teleportexit.xml", definition("TeleportExit", "RGGOT_OUTTELEPORT", 1, 0, 15, (0.04, 0.06), 0,
                                        idle("teleportexit", "OBJ_OUTTELEPORT", 0.08, 0.12))),
        ("stonegroup.xml", definition("StoneGroup", "RGGOT_GROUP", 1, 0, 12, (0.05, 0.025), 0, [("idle", [])])),
        ("spellwall.xml", definition("SpellWall", "RGGOT_WALL", 0, 0, 30, (0.01, 0.08), 0,
                                     idle("spellwall", "OBJ_WALL", 0.02, 0.16), [("is_spell", 1, "Boolean")])),
        ("spellbridge.xml", definition("SpellBridge", "RGGOT_BRIDGE", 0, 0, 30, (0.12, 0.015), 0,
                                       idle("spellbridge", "OBJ_BRIDGE", 0.24, 0.03), [("is_spell", 1, "Boolean")])),
        ("spellwindright.xml", definition("SpellWindRight", "RGGOT_WINDRIGHT", 0, 0, 5, (0.1, 0.1), 0,
                                          idle("spellwindright", "OBJ_WINDRIGHT", 0.2, 0.2,
                                               floating_anim("idle", "OBJ_WINDRIGHT", 1, 0.5)),
                                          [("is_spell", 1, "Boolean"), ("push", 2.0, "Double"), ("duration", 8.0, "Double")])),
        ("spellwindleft.xml", definition("SpellWindLeft", "RGGOT_WINDLEFT", 0, 0, 5, (0.1, 0.1), 0,
                                         idle("spellwindleft", "OBJ_WINDLEFT", 0.2, 0.2,
                                              floating_anim("idle", "OBJ_WINDLEFT", 2, 0.5)),
                                         [("is_spell", 1, "Boolean"), ("push", 2.0, "Double"), ("duration", 8.0, "Double")])),
        ("spellteleport.xml", definition("SpellTeleport", "RGGOT_TELEPORT", 0, 0, 15, (0.04, 0.06), 0,
                                         idle("spellteleport", "OBJ_TELEPORT", 0.08, 0.12), [("is_spell", 1, "Boolean")])),
    ]
    return defs


# ---------------------------------------------------------------- levels

def obj(name, x=None, y=None, half=None, attrs=None, members=None):
    children = []
    if x is not None:
        children.append(vec("Position", x, y))
    if half is not None:
        children.append(vec("HalfSize", *half))
    if attrs:
        children.append(attributes(attrs))
    children.extend(members or [])
    return E("GameObject", {"Name": name}, children)


def ground(x0, x1, top, bottom=1.0):
    """A Ground slab covering x0..x1 from its top down to bottom."""
    return obj("Ground", x0, top, ((x1 - x0) / 2, (bottom - top) / 2))


def water(x0, x1, top=0.9, bottom=1.0):
    return obj("Water", x0, top, ((x1 - x0) / 2, (bottom - top) / 2))


def actors(xs, feet, play_time, delay, direction=1):
    """The three named walkers standing on `feet` (the y of the ground top)."""
    out = []
    for (_, name, _, height, _), x in zip(ACTORS, xs):
        out.append(obj(name, x, feet - height, attrs=[("delay", float(delay), "Double"),
                                                     ("time_limit", float(play_time), "Double"),
                                                     ("direction", direction, "Long")]))
    return out


def pool(name, count=2):
    return [obj(name, 0, -0.5) for _ in range(count)]


def background(size_x, size_y):
    return E("BackGround", {}, [
        E("Item", {}, [sprite("bg_sky", "BG_SKY", (0, 0, size_x, size_y), alpha=0)]),
        E("Item", {"TimeDelay": 2}, [sprite("bg_hills", "BG_HILLS", (0, size_y - 0.45, size_x, 0.3), tex=(0, 0, size_x, 1))]),
        E("Item", {}, [sprite("bg_clouds", "BG_CLOUDS", (0, 0.05, size_x, 0.2), tex=(0, 0, size_x, 1),
                              anim=floating_anim("clouds", "BG_CLOUDS", 1, 0.02))]),
    ])


TOOL_OBJECT = {"RGTT_WALL": "RGGOT_WALL", "RGTT_BRIDGE": "RGGOT_BRIDGE", "RGTT_WINDRIGHT": "RGGOT_WINDRIGHT",
               "RGTT_WINDLEFT": "RGGOT_WINDLEFT", "RGTT_TELEPORT": "RGGOT_TELEPORT"}


def level(name, show, size, pos, play_time, sun, tools, objects, help_path=None):
    attrs = {"Name": name, "ShowName": show, "SizeX": float(size[0]), "SizeY": float(size[1]),
             "PosX": float(pos[0]), "PosY": float(pos[1]), "PlayTime": float(play_time), "Sun": sun}
    if help_path:
        attrs["Help"] = help_path
    return E("Level", attrs, [
        E("Tools", {}, [E("Tool", {"ToolType": t, "GameObject": TOOL_OBJECT[t]}) for t in tools]),
        E("World", {}, [E("GameObjects", {}, objects), background(*size)]),
    ])


def level1():
    objects = [
        ground(0, 1.45, 0.85),
        water(1.45, 1.65),
        ground(1.65, 2.0, 0.85),
        obj("Portal", 0.06, 0.69),
        obj("Tree", 0.3, 0.65),
    ] + actors((0.5, 0.6, 0.7), 0.85, 120, 6) + pool("SpellWall")
    return level("level1", "1-1", (2, 1), (0, 0), 120, 1, ["RGTT_WALL"], objects, "Levels\\level1_help.xml")


def lvl2():
    objects = [
        ground(0, 0.45, 0.85),
        water(0.45, 0.61),
        ground(0.61, 0.8, 0.85),
        ground(0.8, 1.0, 0.45),
        # Starts at the top: its first wait at the bottom falls when the walkers arrive.
        obj("Lift", 0.64, 0.45, attrs=[("min_y", 0.45, "Double"), ("max_y", 0.82, "Double")]),
        obj("Portal", 0.88, 0.29),
    ] + actors((0.05, 0.09, 0.13), 0.85, 90, 10) + pool("SpellBridge")
    return level("lvl2", "1-2", (1, 1), (0, 0), 90, 0, ["RGTT_BRIDGE"], objects, "Levels\\lvl2_help.xml")


def level3():
    objects = [
        ground(0, 0.5, 0.7, 0.8),
        ground(0, 0.45, 1.85, 2.0),
        ground(0.45, 0.8, 1.85, 2.0),
        water(0.8, 1.0, 1.9, 2.0),
        obj("Portal", 0.02, 1.69),
        obj("Monster", 0.3, 1.78),
    ] + actors((0.1, 0.2, 0.3), 0.7, 150, 12) + pool("SpellWindRight") + pool("SpellWindLeft")
    return level("level3", "1-3", (1, 2), (0, 0), 150, 1, ["RGTT_WINDRIGHT", "RGTT_WINDLEFT"], objects,
                 "Levels\\level3_help.xml")


def stone_group(x0, top, count=3, width=0.1, height=0.05):
    members = [obj("Block", x0 + k * width, top, (width / 2, height / 2)) for k in range(count)]
    return obj("StoneGroup", members=members)


def lvl4():
    objects = [
        ground(0, 0.1, 0.85),
        water(0.1, 0.3),
        ground(0.3, 0.8, 0.85),
        water(0.8, 1.0),
        ground(1.0, 2.0, 0.85),
        stone_group(0.5, 0.8),
        obj("Block", 1.0, 0.8),
        obj("TeleportExit", 1.3, 0.73),
        obj("Portal", 1.85, 0.69),
        obj("Tree", 1.55, 0.65),
    ] + actors((0.33, 0.38, 0.43), 0.85, 150, 10) + pool("SpellTeleport") + pool("SpellWall")
    return level("lvl4", "1-4", (2, 1), (0, 0), 150, 1, ["RGTT_TELEPORT", "RGTT_WALL"], objects,
                 "Levels\\lvl4_help.xml")


def bonus1():
    objects = [
        ground(0, 0.6, 0.85),
        water(0.6, 0.76),
        ground(0.76, 1.5, 0.85),
        obj("Monster", 1.2, 0.78),
        water(1.5, 1.7),
        ground(1.7, 2.0, 0.85),
        obj("Block", 1.7, 0.45, (0.02, 0.2)),
        obj("TeleportExit", 1.76, 0.73),
        obj("Portal", 1.9, 0.69),
    ] + actors((0.1, 0.18, 0.26), 0.85, 180, 8)
    for spell in ("SpellWall", "SpellBridge", "SpellWindRight", "SpellWindLeft", "SpellTeleport"):
        objects += pool(spell, 1)
    return level("bonus1", "B-1", (2, 1), (0, 0), 180, 1,
                 ["RGTT_WALL", "RGTT_BRIDGE", "RGTT_WINDRIGHT", "RGTT_WINDLEFT", "RGTT_TELEPORT"], objects)


def bonus2():
    objects = [
        ground(0, 0.35, 0.85),
        water(0.35, 0.5),
        ground(0.5, 1.0, 0.85),
        # A slow monster heads for the chasm: bridge it too early and it crosses.
        obj("Monster", 0.2, 0.78, attrs=[("direction", 1, "Long"), ("speed", 0.02, "Double")]),
        obj("Lift", 0.6, 0.5, attrs=[("min_y", 0.5, "Double"), ("max_y", 0.82, "Double")]),
        stone_group(0.76, 0.5, 3, 0.08, 0.05),
        obj("Portal", 0.88, 0.34),
    ] + actors((0.03, 0.07, 0.11), 0.85, 120, 8.5) + pool("SpellWall") + pool("SpellBridge")
    return level("bonus2", "B-2", (1, 1), (0, 0), 120, 0, ["RGTT_WALL", "RGTT_BRIDGE"], objects)


MAIN_LEVELS = [("Levels\\level1.xml", "level1", level1), ("Levels\\lvl2.xml", "lvl2", lvl2),
               ("Levels\\level3.xml", "level3", level3), ("Levels\\lvl4.xml", "lvl4", lvl4)]
BONUS_LEVELS = [("Levels\\bonus1.xml", "bonus1", bonus1), ("Levels\\bonus2.xml", "bonus2", bonus2)]


def level_pack(levels):
    return E("LevelPack", {}, [E("Level", {"Path": path, "Name": name}) for path, name, _ in levels])


# ---------------------------------------------------------------- tutorials

def cmd(type_name, cid=None, children=None, **attrs):
    a = {"Type": "RGLevelTrainerCommand" + type_name}
    if cid:
        a["ID"] = cid
    a.update(attrs)
    return E("C", a, children)


def gesture_sprite(texture):
    return sprite("gesture", texture, (0.6, 0.25, 0.2, 0.27))


# Where the level tutorials' teacher stands: in the sky at the field's left edge, its speech
# running right above the walkers' heads and left of the gesture picture (x 0.6), so neither
# covers a walker nor the ground they cross. Each speech ends left of x 0.565, where the walkers
# of 1-3 drop off their ledge.
LEVEL_TEACHER = (0.135, 0.25)


def level1_help():
    return E("LevelTrainer", {}, [
        cmd("ShowTeacher", X=LEVEL_TEACHER[0], Y=LEVEL_TEACHER[1]),
        cmd("ShowToolTip", Text="THEY WALK RIGHT. SCROLL RIGHT"),
        cmd("ShowArrow", X=0.9, Y=0.45, Angle=-1.57),
        cmd("WaitMapMove", MoveType="RIGHT"),
        cmd("HideArrow"),
        cmd("ShowToolTip", Text="DRAW A LINE DOWN: A WALL"),
        cmd("ShowSprite", children=[gesture_sprite("GESTUREWALL")], Name="gesture"),
        cmd("WaitSpell", "wait", Spell="RGTT_WALL", DoneID="ok", ErrorID="bad"),
        cmd("ShowToolTip", "bad", Text="NOT QUITE. TRY AGAIN"),
        cmd("Jump", CommandID="wait"),
        cmd("HideSprite", "ok", Name="gesture"),
        cmd("ShowToolTip", Text="WELL DONE! NOW THEY GO HOME"),
        cmd("Wait", Time=3000),
        cmd("HideToolTip"),
        cmd("HideTeacher"),
    ])


def spell_help(steps, then=None, teacher=LEVEL_TEACHER):
    """Teaches gestures in the order the level needs them, each (text, texture, spell) with a
    retry branch; `then` = (text, texture) shows one more after, without waiting for it.
    `teacher` is where the teacher stands; the speech runs right of it."""
    after = []
    if then:
        after = [
            cmd("ShowToolTip", Text=then[0]),
            cmd("ShowSprite", children=[gesture_sprite(then[1])], Name="gesture2"),
            cmd("Wait", Time=5000),
            cmd("HideSprite", Name="gesture2"),
        ]
    body = [cmd("ShowTeacher", X=teacher[0], Y=teacher[1])]
    for n, (text, texture, spell) in enumerate(steps):
        tag = "" if n == len(steps) - 1 else str(n + 1)
        body += [
            cmd("ShowToolTip", Text=text),
            cmd("ShowSprite", children=[gesture_sprite(texture)], Name="gesture" + tag),
            cmd("WaitSpell", "wait" + tag, Spell=spell, DoneID="ok" + tag, ErrorID="bad" + tag),
            cmd("ShowToolTip", "bad" + tag, Text="NOT QUITE. TRY AGAIN"),
            cmd("Wait", Time=1500),
            cmd("ShowToolTip", Text=text),
            cmd("Jump", CommandID="wait" + tag),
            cmd("HideSprite", "ok" + tag, Name="gesture" + tag),
        ]
    return E("LevelTrainer", {}, body + [
        cmd("ShowToolTip", Text="WELL DONE!"),
        cmd("Wait", Time=2000),
    ] + after + [
        cmd("HideToolTip"),
        cmd("HideTeacher"),
    ])


# Where the map tutorials' teacher stands: its speech runs right of it along the sky's lower edge,
# clear of the pots, the pots' sites and the trees below; the arrow points at what it talks about.
MAP_TEACHER = (0.2, 0.3)


def map_trainer_1():
    x, y = POTS[0]
    return E("LevelTrainer", {}, [
        cmd("ShowTeacher", X=MAP_TEACHER[0], Y=MAP_TEACHER[1]),
        cmd("ShowToolTip", Text="CLICK THE SHINING POT"),
        cmd("ShowArrow", X=x - 0.01, Y=y - 0.1, Angle=0.0),
        cmd("Wait", Time=8000),
        cmd("HideArrow"),
        cmd("HideToolTip"),
        cmd("HideTeacher"),
    ])


def map_trainer_2():
    return E("LevelTrainer", {}, [
        cmd("ShowTeacher", X=MAP_TEACHER[0], Y=MAP_TEACHER[1]),
        cmd("ShowToolTip", Text="NEXT PLAYS YOUR NEXT LEVEL"),
        cmd("ShowArrow", X=0.088, Y=0.7, Angle=0.0),
        cmd("Wait", Time=6000),
        cmd("HideArrow"),
        cmd("HideToolTip"),
        cmd("HideTeacher"),
    ])


def score_trainer():
    # Below the walkers' rows and the time line, between the score and the OK button: the only
    # place on the count where the teacher and its speech hide nothing.
    return E("LevelTrainer", {}, [
        cmd("ShowTeacher", X=0.3, Y=0.79),
        cmd("ShowToolTip", Text="SPARE TIME BECOMES POINTS"),
        cmd("Wait", Time=4000),
        cmd("ShowToolTip", Text="CLICK OK TO GO ON"),
        cmd("ShowArrow", X=0.786, Y=0.73, Angle=0.0),
        cmd("Wait", Time=6000),
        cmd("HideArrow"),
        cmd("HideToolTip"),
        cmd("HideTeacher"),
    ])


# ---------------------------------------------------------------- map, comics, intro, trophies, config

# Pot 0 stands right of the map's buttons: its widest tip ("Replay level: 1-1") hangs below it
# beside NEXT and MENU. gen_art.py paints the pots' spots from this table.
POTS = [(0.212, 0.72), (0.42, 0.58), (0.63, 0.66), (0.80, 0.45)]
CASTLE = (0.87, 0.2)


def path(a, b, dots=6, bend=0.03):
    """Dots from a to b along a slight arc (the end points themselves are left to the pots)."""
    points = []
    for k in range(1, dots + 1):
        t = k / (dots + 1)
        x = a[0] + (b[0] - a[0]) * t
        y = a[1] + (b[1] - a[1]) * t - bend * math.sin(math.pi * t)
        points.append(E("GameObject", {}, [vec("Position", round(x + 0.015, 4), round(y + 0.07, 4))]))
    return E("GameObject", {"Name": "Group"}, points)


def main_map():
    pots = [E("GameObject", {"Name": "Earth1"}, [vec("Position", x, y)]) for x, y in POTS]
    mid = ((POTS[3][0] + CASTLE[0]) / 2 + 0.04, (POTS[3][1] + CASTLE[1]) / 2)
    paths = [path(POTS[i], POTS[i + 1]) for i in range(3)] + [path(POTS[3], mid, 4), path(mid, CASTLE, 4)]
    return E("map", {}, [E("GameObjects", {}, pots + paths)])


def bonus_map():
    pots = [E("GameObject", {"Name": "Earth1"}, [vec("Position", 0.1 + 0.2 * k, 0.3)]) for k in range(len(BONUS_LEVELS))]
    return E("map", {}, [E("GameObjects", {}, pots)])


def comics():
    return E("ComicsPack", {}, [E("Comics", {"LevelName": "lvl2", "ComicsPath": "Levels\\comic_lvl2.xml"})])


def comic_panel(name, centre_x, tile):
    u0, v0 = (tile % 2) * 0.5, (tile // 2) * 0.5
    left, right = centre_x + 2, centre_x - 2  # +x shows on the left of the screen
    vertices = [(left, -0.5, u0, v0), (right, -0.5, u0 + 0.5, v0), (right, -3.5, u0 + 0.5, v0 + 0.5),
                (left, -3.5, u0, v0 + 0.5)]
    return E("ComicsMesh", {}, [E("TriMesh", {"Name": name}, [
        E("VertexData", {"VertexSize": 32, "FVF": 274, "PrimType": 4},
          [E("Vertex", {"X": float(x), "Y": float(y), "Z": 0.0, "NX": 0.0, "NY": 0.0, "NZ": -1.0, "U": u, "V": v})
           for x, y, u, v in vertices]),
        E("IndexData", {"IndexSize": 2}, [E("Index", {"I": i}) for i in (0, 1, 2, 0, 2, 3)]),
        E("Material", {"CullMode": 1, "FillMode": 3, "AlphaBlend": 0, "SrcBlend": 5, "DstBlend": 6, "ZWrite": 0,
                       "Lighting": 0, "IsFogEnable": 0},
          [E("Textures", {"Texture1": "COMIC1"}, [E("Filtration1", {"IsBilinear": 1, "IsTrilinear": 0, "IsAnisotropic": 0})])]),
        E("AABB", {"MinX": float(right), "MinY": -3.5, "MinZ": 0.0, "MaxX": float(left), "MaxY": -0.5, "MaxZ": 0.0}),
    ])])


def comic_lvl2():
    def key(time, x):
        return E("KeyFrame", {"Time": time}, [vec("Eye", x, -2, -3), vec("At", x, -2, 0)])
    frames = [key(2.5, 0), key(1.5, 0), key(2.5, -4.5), key(1.5, -4.5), key(3.0, -9)]
    meshes = [comic_panel("panel1", 0.0, 0), comic_panel("panel2", -4.5, 1), comic_panel("panel3", -9.0, 2)]
    return E("AnimationTrack", {}, [E("Frames", {}, frames), E("Meshes", {}, meshes)])


def intro():
    def picture(time, mesh, texture, pos=(0.25, 0.2, 0.5, 0.5)):
        return E("Picture", {"Time": time}, [sprite(mesh, texture, pos)])
    return E("Intro", {}, [
        E("Slide", {"Texture": "INTRO1"}, [picture(2500, "intropic1", "INTROPIC1"),
                                          picture(2500, "intropic2", "INTROPIC2")]),
        E("Slide", {"Texture": "INTRO2"}, [picture(3000, "intropic3", "INTROPIC3")]),
    ])


TROPHY_NAMES = ["Wall builder", "Bridge keeper", "Storm rider", "Far walker"] + \
    ["Sealed trophy %d" % n for n in range(5, 31)]


def trophies():
    return E("Trophies", {}, [E("Trophy", {"Name": n}) for n in TROPHY_NAMES])


def config():
    return E("configuration", {}, [
        E("screen", {"appname": "Runegarden Demo", "width": 1024, "height": 768, "bitperpixel": 32,
                     "fullscreen": 0, "texturepath": "Res\\textures.xml"}),
        E("bonus_life", {}, [E("life", {"score": s}) for s in (100000, 300000, 600000, 1000000)]),
        E("level_move", {"force": 1.1, "attenuation": 1.0}),
        E("localization", {}, [E("font", {"path": "Res\\fontmetrics.xml", "name": "FONT", "charsH": 16, "charsW": 16},
                                 [rect("indent", 0, 0, 1, 1)])]),
    ])


def object_list(defs):
    return E("world", {"directory": "gameobjects\\objects"}, [E("object", {"file": f}) for f, _ in defs])


# ---------------------------------------------------------------- output

def write(data, win_path, root):
    path = os.path.join(data, *win_path.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n", encoding="ascii") as f:
        f.write(document(root))


def main():
    data = sys.argv[1]
    files = [("config.xml", config())]
    defs = definitions()
    files.append(("gameobjects\\earthworldNEW.xml", object_list(defs)))
    files += [("gameobjects\\objects\\" + f, e) for f, e in defs]
    files += [(p, make()) for p, _, make in MAIN_LEVELS + BONUS_LEVELS]
    files += [
        ("Levels\\levelpack.xml", level_pack(MAIN_LEVELS)),
        ("Levels\\bonuslevelpack.xml", level_pack(BONUS_LEVELS)),
        ("Levels\\level1_help.xml", level1_help()),
        ("Levels\\lvl2_help.xml", spell_help([("DRAW AN ARCH: A BRIDGE", "GESTUREBRIDGE", "RGTT_BRIDGE")])),
        ("Levels\\level3_help.xml", spell_help([("DRAW >: WIND TO THE RIGHT", "GESTUREWINDRIGHT", "RGTT_WINDRIGHT")],
                                                 ("DRAW <: WIND TO THE LEFT", "GESTUREWINDLEFT"))),
        # The walkers must be walled in on their island before the teleport can catch them. The
        # first speech is too long for the usual place beside the gesture picture, so the teacher
        # stands lower, in the sky below the picture's bottom edge and above the walkers.
        ("Levels\\lvl4_help.xml", spell_help([("FIRST A WALL: DRAW A LINE DOWN", "GESTUREWALL", "RGTT_WALL"),
                                                ("DRAW A CIRCLE: A TELEPORT", "GESTURETELEPORT", "RGTT_TELEPORT")],
                                               teacher=(0.15, 0.53))),
        ("Levels\\comics.xml", comics()),
        ("Levels\\comic_lvl2.xml", comic_lvl2()),
        ("Levels\\map.xml", main_map()),
        ("Levels\\map_bonus.xml", bonus_map()),
        ("Levels\\map_trainer_1.xml", map_trainer_1()),
        ("Levels\\map_trainer_2.xml", map_trainer_2()),
        ("Levels\\trophies.xml", trophies()),
        ("Levels\\score_trainer.xml", score_trainer()),
        ("intro\\intro.xml", intro()),
    ]
    for p, root in files:
        write(data, p, root)
    print("gen_data: %d XML files" % len(files))


if __name__ == "__main__":
    main()
