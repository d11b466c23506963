"""Registers an exit hook that says on stderr that it ran."""

import atexit
import os

atexit.register(lambda: os.write(2, b"exit hook ran\n"))
