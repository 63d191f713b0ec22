"""Waiting for a state: every wait polls for what it waits for, and gives up
after a limit with a message that says what was expected and what was seen."""

import time


class Failure(Exception):
    """The scenario saw something other than what it expected."""


def wait_for(what, probe, limit, interval=0.05):
    """Polls probe() until it returns something other than None or False and
    returns that. probe may raise while the state is not there yet (a window
    not shown, an object gone); the last such error is reported when the
    limit is reached."""
    deadline = time.monotonic() + limit
    last = None
    while True:
        try:
            value = probe()
            if value is not None and value is not False:
                return value
            last = None
        except Failure:
            raise
        except Exception as error:  # a state still on its way
            last = error
        if time.monotonic() > deadline:
            reason = f" (last error: {last})" if last is not None else ""
            raise Failure(f"waited {limit:g} s for {what}{reason}")
        time.sleep(interval)


def wait_for_value(what, read, expected, limit):
    """Polls read() until it returns `expected`; on giving up, the message
    shows the last value seen."""
    seen = [None]

    def probe():
        seen[0] = read()
        return seen[0] == expected

    try:
        wait_for(what, probe, limit)
    except Failure as failure:
        raise Failure(f"{failure}: expected {expected!r}, saw {seen[0]!r}") from None
