"""Game-object behaviour for the demo levels: walkers, platforms, spells and the win/lose rules.

The engine owns bodies, gravity, integration and collision detection; this module decides what a
contact means (run), moves what moves by itself (do_update) and places spells (process_tool).
Positions are box minimum corners in level units, y down; w and h are half extents.
"""

# Type numbers as the engine and the level files use them.
SIMPLE, ACTOR, BRIDGE, LIFT, PORTAL, TELEPORT, WALL, MONSTR, OUTTELEPORT, LETHAL, GROUP = range(11)
WINDLEFT, WINDRIGHT = 15, 16

TYPE_NUMBERS = {
    "RGGOT_SIMPLE": SIMPLE, "RGGOT_ACTOR": ACTOR, "RGGOT_BRIDGE": BRIDGE, "RGGOT_LIFT": LIFT,
    "RGGOT_PORTAL": PORTAL, "RGGOT_TELEPORT": TELEPORT, "RGGOT_WALL": WALL, "RGGOT_MONSTR": MONSTR,
    "RGGOT_OUTTELEPORT": OUTTELEPORT, "RGGOT_LETHAL": LETHAL, "RGGOT_GROUP": GROUP,
    "RGGOT_WINDLEFT": WINDLEFT, "RGGOT_WINDRIGHT": WINDRIGHT,
}

STATE_NAMES = {0: "idle", 1: "walk", 2: "fall"}
IDLE, WALK, FALL = 0, 1, 2

SOLID_TYPES = (BRIDGE, LIFT, WALL, GROUP)
STATIC_TYPES = (SIMPLE, BRIDGE, LIFT, TELEPORT, WALL, OUTTELEPORT, LETHAL, GROUP, WINDLEFT, WINDRIGHT)

STEP_HEIGHT = 0.03      # a solid whose top is at most this far above a walker's feet is stepped onto
BRIDGE_SNAP = 0.05      # a bridge drawn at most this far above or below a bank's top is laid on it
EPS = 1e-4              # floats arrive as widened single-precision values
SINK = 0.002            # a walker resting on a solid sinks this far into it before the world separates them
MAX_FALL_SPEED = 1.0    # keeps a falling walker from passing through thin platforms in one step
FALL_OUT_Y = 3.0        # below every level: a walker there is lost
DEAD_LIFE_TIME = 1e6    # no spare time and no trophy for a lost actor

# View offset of the last sprite update; process_tool maps strokes back to the field with it.
_view = [0.0, 0.0]


class SpriteInfo:
    def __init__(self, name, pos, tex, enabled, flip_h, flip_v, anim_inverse, scale):
        self.name = name
        self.pos = pos
        self.tex = tex
        self.enabled = bool(enabled)
        self.flip_h = bool(flip_h)
        self.flip_v = bool(flip_v)
        self.anim_inverse = bool(anim_inverse)
        self.scale = scale


class SpriteState:
    __slots__ = ("posx", "posy", "width", "height", "tex_x", "tex_y", "tex_w", "tex_h", "enable",
                 "anim_offset", "flip_h", "flip_v", "anim_inv")

    def __init__(self):
        self.posx = self.posy = self.width = self.height = 0.0
        self.tex_x = self.tex_y = 0.0
        self.tex_w = self.tex_h = 1.0
        self.enable = True
        self.anim_offset = 0.0
        self.flip_h = self.flip_v = self.anim_inv = False


class GameObject:
    """Every attribute the engine reads exists from construction on, with its type."""

    _count = 0

    def __init__(self, type_name):
        GameObject._count += 1
        self.type_name = type_name
        self.gameObjectType = TYPE_NUMBERS.get(type_name, SIMPLE)
        t = self.gameObjectType
        self.is_static = t in STATIC_TYPES
        self.is_actor = t == ACTOR
        self.is_monstr = t == MONSTR
        self.is_portal = t == PORTAL
        self.is_enable = True
        self.gravity_action = False
        self.islife = True
        self.name = ""
        self.life_time = 0.0
        self.x = self.y = self.w = self.h = 0.0
        self.vel_x = self.vel_y = 0.0
        self.frc_x = self.frc_y = 0.0
        self.mass = 0.0
        self.state = IDLE
        self.is_spell = False
        self.tile_u = 0.0
        self.sprites = {}
        self.phase = (GameObject._count * 0.37) % 1.0

    # -- queried by the engine
    def can_update(self):
        return True

    def can_render(self):
        # Groups draw their members; objects that never got a sprite (the frame walls) draw nothing.
        return bool(self.sprites) or self.gameObjectType == GROUP

    def reset_force_acc(self):
        self.frc_x = 0.0
        self.frc_y = 0.0

    def do_update(self, dt, now, world):
        pass

    def add_state_sprite(self, state_name, info):
        self.sprites.setdefault(state_name, []).append(info)

    def update_sprites_state(self, state_name, offset_x, offset_y):
        _view[0], _view[1] = offset_x, offset_y
        out = []
        for info in self.sprites.get(state_name, []):
            s = SpriteState()
            s.posx = self.x + offset_x
            s.posy = self.y + offset_y
            s.width = 2.0 * self.w
            s.height = 2.0 * self.h
            left, top, right, bottom = info.tex
            if self.tile_u > 0:
                right = left + 2.0 * self.w / self.tile_u
            s.tex_x, s.tex_y, s.tex_w, s.tex_h = left, top, right, bottom
            s.enable = info.enabled
            s.anim_offset = self.phase
            s.flip_h = self.facing_left() != info.flip_h
            s.flip_v = info.flip_v
            s.anim_inv = info.anim_inverse
            out.append(s)
        return out

    # -- helpers
    def facing_left(self):
        return False

    def top(self):
        return self.y

    def bottom(self):
        return self.y + 2.0 * self.h

    def right(self):
        return self.x + 2.0 * self.w

    def overlaps(self, other):
        return (self.x < other.right() - EPS and other.x < self.right() - EPS and
                self.y < other.bottom() - EPS and other.y < self.bottom() - EPS)


class Walker(GameObject):
    """Actors and monsters: walk at `speed` in `direction`, step up low edges, turn at walls."""

    def __init__(self, type_name):
        GameObject.__init__(self, type_name)
        self.state = WALK
        self.speed = 0.06
        self.direction = 1
        self.delay = 0.0
        self.time_limit = 120.0
        self.home = False
        self.push = 1.0
        self.supports = []        # solids touched from above in this step
        self.last_supports = []
        self.winds = []           # wind areas touched in this step
        self.last_winds = []
        self.teleported = False
        self.airborne_time = 0.0
        self.ride_lift = None     # the lift carrying this walker, kept through short hops as it sinks
        self.last_lift = None     # the lift last stood on, until the walker stands on something else

    def facing_left(self):
        return self.direction < 0

    def in_play(self):
        return bool(self.is_enable)

    def grounded(self):
        return bool(self.supports)

    def waiting(self):
        return self.delay > 0.0

    def riding(self):
        """Carried by a lift that is not resting at its top: the walker waits for the ride."""
        supports = self.supports
        if supports:
            # Plain loops: a comprehension makes a function object at every call.
            for s in supports:
                if s.gameObjectType != LIFT:
                    self.ride_lift = None
                    break
            else:
                self.ride_lift = supports[0]
        elif self.airborne_time > 0.5:
            self.ride_lift = None
        return self.ride_lift is not None and not self.ride_lift.at_top()

    def die(self):
        self.is_enable = False
        self.islife = False
        if self.is_actor:
            self.life_time = DEAD_LIFE_TIME

    def do_update(self, dt, now, world):
        # The per-frame call with dt 0 (and the score screen's) must not consume this step's contacts.
        if not self.is_enable or dt <= 0:
            return
        if self.is_actor and not self.home:
            self.life_time += dt
        if self.y > FALL_OUT_Y:
            self.die()
            return
        if self.delay > 0:
            self.delay = max(0.0, self.delay - dt)
        winds = self.winds
        for wind in winds:
            self.direction = 1 if wind.gameObjectType == WINDRIGHT else -1
        push = max([w.push for w in winds]) if winds else 1.0
        grounded = self.grounded()
        if grounded:
            for s in self.supports:
                if s.gameObjectType == LIFT:
                    break
            else:
                self.last_lift = None
        if self.waiting() or self.riding():
            self.vel_x = 0.0
        else:
            self.vel_x = self.direction * self.speed * push
        if grounded:
            self.vel_y = 0.0
            self.airborne_time = 0.0
        else:
            self.airborne_time += dt
            self.vel_y = min(self.vel_y, MAX_FALL_SPEED)
        self.state = FALL if (not grounded and self.airborne_time > 0.05) else WALK
        self.last_supports, self.supports = self.supports, []
        self.last_winds, self.winds = self.winds, []


class Lift(GameObject):
    """Moves between min_y (top) and max_y (bottom), waiting 2 s at each end."""

    WAIT = 2.0

    def __init__(self, type_name):
        GameObject.__init__(self, type_name)
        self.min_y = 0.5
        self.max_y = 0.8
        self.speed = 0.1
        self.going_up = True
        self.wait = self.WAIT
        self.started = False

    def at_top(self):
        return self.wait > 0 and self.y <= self.min_y + EPS

    def blocked_below(self, world, new_y):
        """A walker under the lift stops it coming down onto them."""
        for objects in (world.get(ACTOR, []), world.get(MONSTR, [])):
            for o in objects:
                if not o.is_enable:
                    continue
                if (self.x < o.right() - EPS and o.x < self.right() - EPS and
                        o.y >= self.bottom() - EPS and o.y < new_y + 2.0 * self.h):
                    return True
        return False

    def do_update(self, dt, now, world):
        if not self.started:
            # A lift placed at its top starts by going down: levels time it against the walkers.
            self.started = True
            self.y = min(max(self.y, self.min_y), self.max_y)
            self.going_up = self.y > self.min_y + EPS
        if dt <= 0 or not self.is_enable:
            return
        if self.wait > 0:
            self.wait = max(0.0, self.wait - dt)
            return
        if self.going_up:
            self.y = max(self.min_y, self.y - self.speed * dt)
            if self.y <= self.min_y + EPS:
                self.going_up, self.wait = False, self.WAIT
        else:
            new_y = min(self.max_y, self.y + self.speed * dt)
            if self.blocked_below(world, new_y):
                return
            self.y = new_y
            if self.y >= self.max_y - EPS:
                self.going_up, self.wait = True, self.WAIT


class Spell(GameObject):
    """A pool object: disabled until process_tool places it; winds expire after `duration`."""

    def __init__(self, type_name):
        GameObject.__init__(self, type_name)
        self.fresh = True
        self.age = 0.0
        self.cast_order = 0
        self.duration = 0.0
        self.push = 1.0

    def do_update(self, dt, now, world):
        if not self.is_enable:
            return
        self.age += dt
        if self.duration > 0 and self.age >= self.duration:
            self.is_enable = False


class Group(GameObject):
    def __init__(self, type_name):
        GameObject.__init__(self, type_name)
        self.stepped_on = False


def create(type_name):
    t = TYPE_NUMBERS.get(type_name, SIMPLE)
    if t in (ACTOR, MONSTR):
        obj = Walker(type_name)
    elif t == LIFT:
        obj = Lift(type_name)
    elif t == GROUP:
        obj = Group(type_name)
    elif t in (BRIDGE, WALL, TELEPORT, WINDLEFT, WINDRIGHT):
        obj = Spell(type_name)
    else:
        obj = GameObject(type_name)
    if type_name == "RGGOT_SIMPLE":
        obj.is_static = True
    return obj


def create_sprite_info(name, pos_x, pos_y, pos_w, pos_h, tex_l, tex_t, tex_r, tex_b, enabled, flip_h, flip_v,
                       anim_inverse, scale_x, scale_y):
    return SpriteInfo(name, (pos_x, pos_y, pos_w, pos_h), (tex_l, tex_t, tex_r, tex_b), enabled, flip_h, flip_v,
                      anim_inverse, (scale_x, scale_y))


def getGameObjectStateStr(state):
    return STATE_NAMES.get(state, "idle")


# ---------------------------------------------------------------- collisions

def is_walker(o):
    return o.gameObjectType in (ACTOR, MONSTR)


def is_frame_wall(o):
    return o.gameObjectType == SIMPLE and o.name.startswith("WallFrame")


class Dispatcher:
    def __init__(self):
        self.sound_fx = ""

    def run(self, a, b, px, py, depth, nx, ny, world):
        self.sound_fx = ""
        a_walks, b_walks = is_walker(a), is_walker(b)
        if not a_walks and b_walks:
            a, b, nx, ny = b, a, -nx, -ny
            a_walks, b_walks = b_walks, a_walks
        if not a_walks or not a.is_enable:
            return False
        if b_walks:
            return self.walker_meets_walker(a, b)
        t = b.gameObjectType
        if t == PORTAL:
            if a.is_actor and a.is_enable:
                a.is_enable = False
                a.home = True
                a.islife = True
                self.sound_fx = "Portal"
            return False
        if t == LETHAL:
            a.die()
            self.sound_fx = "Kill" if a.is_actor else "Fountain"
            return False
        if t in (WINDLEFT, WINDRIGHT):
            if b not in a.last_winds and b not in a.winds:
                self.sound_fx = "Funnel"
            a.winds.append(b)
            return False
        if t == TELEPORT:
            return self.teleport(a, b, world)
        if t == OUTTELEPORT:
            if a.teleported:
                a.teleported = False
                self.sound_fx = "Gate"
            return False
        if t in SOLID_TYPES or is_frame_wall(b):
            return self.solid(a, b, nx, ny)
        return False

    def walker_meets_walker(self, a, b):
        monster, actor = (a, b) if a.is_monstr else (b, a)
        if monster.is_monstr and actor.is_actor and monster.is_enable and actor.is_enable:
            actor.die()
            self.sound_fx = "Kill"
        return False

    def teleport(self, a, b, world):
        exits = [o for o in world.get(OUTTELEPORT, []) if o.is_enable]
        if not exits:
            return False
        out = exits[0]
        a.x = out.x + out.w - a.w
        a.y = out.bottom() - 2.0 * a.h
        a.vel_y = 0.0
        a.teleported = True
        self.sound_fx = "TeleCreate" if b.fresh else "TeleGo"
        b.fresh = False
        return False

    def solid(self, a, b, nx, ny):
        if abs(ny) > abs(nx):
            if ny > 0:  # b lies below: a stands on it
                self.land(a, b)
            return True
        # Side contact: step onto a low edge, otherwise turn around.
        if a.bottom() - b.top() <= STEP_HEIGHT + SINK and b.top() < a.bottom() + EPS:
            a.y = b.top() - 2.0 * a.h
            self.land(a, b)
            return False
        a.direction = -1 if nx > 0 else 1
        self.sound_fx = "Collide"
        return True

    def land(self, a, b):
        new_contact = b not in a.last_supports and b not in a.supports
        a.supports.append(b)
        t = b.gameObjectType
        if t == LIFT:
            # A rider loses touch for a moment whenever the lift changes speed: one boing per boarding.
            if a.last_lift is not b:
                a.last_lift = b
                self.sound_fx = "Spring"
            return
        if not new_contact:
            return
        if t == GROUP and not b.stepped_on:
            b.stepped_on = True
            self.sound_fx = "Switch"
        elif t == BRIDGE and b.fresh:
            b.fresh = False
            self.sound_fx = "BridgeDown"
        elif not a.last_supports and a.airborne_time > 0.05:
            self.sound_fx = "Step"


def create_dispatcher():
    return Dispatcher()


# ---------------------------------------------------------------- spells

_cast_counter = [0]


def _nearest_bank_top(world, bridge):
    """The top of the level's ground or stone under the bridge's span nearest to its top, within
    BRIDGE_SNAP: a bridge drawn a little off the banks would leave the walkers in the chasm."""
    best = None
    for t in (WALL, GROUP):
        for o in world.get(t, []):
            if not o.is_enable or getattr(o, "is_spell", False):
                continue
            if o.x < bridge.right() and bridge.x < o.right():
                gap = abs(o.top() - bridge.y)
                if gap <= BRIDGE_SNAP and (best is None or gap < abs(best - bridge.y)):
                    best = o.top()
    return best


def process_tool(world, object_type, x, y, a, b):
    candidates = [o for o in world.get(object_type, []) if getattr(o, "is_spell", False)]
    if not candidates:
        return False
    free = [o for o in candidates if not o.is_enable]
    spell = free[0] if free else min(candidates, key=lambda o: o.cast_order)
    ox, oy = _view
    fx = (x + ox) * 0.999 + 0.1225
    fy = (y + oy) * 0.999 + 0.02
    px = (fx - 0.125) / 0.875 - ox
    py = fy / 0.953125 - oy
    stroke_bottom = py + 0.5 * b / 0.953125
    t = spell.gameObjectType
    if t in (WALL, TELEPORT):
        spell.x = px - spell.w
        spell.y = stroke_bottom - 2.0 * spell.h
    elif t == BRIDGE:
        spell.x = px - spell.w
        spell.y = stroke_bottom
        bank = _nearest_bank_top(world, spell)
        if bank is not None:
            spell.y = bank
    else:
        spell.x = px - spell.w
        spell.y = py - spell.h
    _cast_counter[0] += 1
    spell.cast_order = _cast_counter[0]
    spell.fresh = True
    spell.age = 0.0
    spell.is_enable = True
    return True


# ---------------------------------------------------------------- level rules

def _actors(world):
    return [o for o in world.get(ACTOR, []) if getattr(o, "is_actor", False)]


def is_failed(world):
    actors = _actors(world)
    in_play = [o for o in actors if o.is_enable]
    if not in_play and not any(o.home for o in actors):
        return bool(actors)
    return any(o.life_time > o.time_limit for o in in_play)


def is_done(world):
    actors = _actors(world)
    return not any(o.is_enable for o in actors) and any(o.home for o in actors)
