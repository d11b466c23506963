"""Functions and objects the interpreter-wrapper tests call."""

not_callable = 5
_kept = []


def describe(*args):
    return ",".join(type(a).__name__ + ":" + repr(a) for a in args)


def identity(value):
    return value


def make(expression):
    return eval(expression)


def raises():
    raise ValueError("probe failure")


def keep_arguments(*args):
    _kept.append(args)
    return len(args)


class Probe:
    def describe(self, *args):
        return describe(*args)

    def raises(self):
        raise RuntimeError("method failure")


def create_probe(name):
    return Probe()
