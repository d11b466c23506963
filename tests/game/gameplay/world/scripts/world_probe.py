"""Test probe for the world: records the collision pairs the dispatcher is asked about and can
force its answer, leaving the shipped module's behaviour otherwise unchanged."""

import collections

import rgpy_factory

_original_run = rgpy_factory.Dispatcher.run
_calls = []
_sounds = []
_answer = [None]
_disable_second = [False]
_spoiled_rules = {}


def _run(self, a, b, px, py, depth, nx, ny, world):
    _calls.append("%s/%s/%.4f/%g/%g" % (a.name, b.name, depth, nx, ny))
    result = _original_run(self, a, b, px, py, depth, nx, ny, world)
    if _disable_second[0]:
        b.is_enable = False
    if self.sound_fx:
        _sounds.append(self.sound_fx)
    if _answer[0] is not None:
        self.sound_fx = ""
        return _answer[0]
    return result


def install(answer):
    """answer: 0 or 1 forces run's result (and silences it); 2 forces 0 and disables the second
    object of each pair; -1 keeps the shipped decision."""
    del _calls[:]
    del _sounds[:]
    _answer[0] = None if answer < 0 else answer == 1
    _disable_second[0] = answer == 2
    rgpy_factory.Dispatcher.run = _run
    return True


def spoil_rule(how):
    """how 0: the module loses is_failed; 1: its is_done becomes a number, not a function."""
    name = ("is_failed", "is_done")[how]
    _spoiled_rules.setdefault(name, getattr(rgpy_factory, name))
    if how == 0:
        delattr(rgpy_factory, name)
    else:
        setattr(rgpy_factory, name, 5)
    return True


def restore():
    rgpy_factory.Dispatcher.run = _original_run
    for name, rule in _spoiled_rules.items():
        setattr(rgpy_factory, name, rule)
    _spoiled_rules.clear()
    _disable_second[0] = False
    del _calls[:]
    return True


def calls():
    return ";".join(_calls)


def sounds(above):
    """Each sound the dispatcher named more than `above` times since install: "name count;..."."""
    return ";".join("%s %d" % item for item in sorted(collections.Counter(_sounds).items()) if item[1] > above)
