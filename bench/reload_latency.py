#!/usr/bin/env python3
"""Times the preview loop of `velmora serve`: from saving one block to the build event on the
server's event stream, ROUNDS times, and prints each time and the median in milliseconds.

Usage: reload_latency.py URL BLOCK_FILE [ROUNDS]
  URL         the server's root, as its Serving line gives it
  BLOCK_FILE  a block of the site; each round appends a line to it, as an editor's save would

The stream is read over a plain socket, so the figure is the server's: no browser's page load
is in it. After the rounds it waits two seconds more and reports any build that no save asked
for (a rebuild that starts another would show here)."""
import os
import socket
import statistics
import sys
import time
import urllib.parse


class EventStream:
    def __init__(self, url):
        parts = urllib.parse.urlsplit(url)
        self.sock = socket.create_connection((parts.hostname, parts.port), timeout=30)
        self.sock.sendall(b"GET /__velmora/events HTTP/1.1\r\nHost: x\r\n"
                          b"Accept: text/event-stream\r\n\r\n")
        self.buffer = b""
        self._read_until(b"\r\n\r\n")  # the response head

    def _read_until(self, mark):
        while mark not in self.buffer:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise RuntimeError("the event stream ended")
            self.buffer += chunk
        head, self.buffer = self.buffer.split(mark, 1)
        return head

    def next_build(self, timeout):
        """The number of the next build event; None when none comes within timeout seconds."""
        self.sock.settimeout(timeout)
        try:
            while True:
                # The body is chunked; the events inside are what matters, so the chunk
                # sizes are skipped as lines that are not events.
                text = self._read_until(b"\n\n").decode("utf-8", "replace")
                lines = text.split("\n")
                for i, line in enumerate(lines):
                    if line.strip() == "event: build" and i + 1 < len(lines):
                        return int(lines[i + 1].split(":", 1)[1])
        except socket.timeout:
            return None


def main():
    url, block = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    stream = EventStream(url)
    generation = stream.next_build(30)
    times = []
    for n in range(rounds):
        time.sleep(1.0)  # quiet between saves, so each is one change of its own
        start = time.perf_counter()
        with open(block, "a", encoding="latin-1") as file:
            file.write(f"<p>Saved {n}</p>\r\n")
        got = stream.next_build(30)
        if got is None:
            sys.exit(f"no build event within 30 s of save {n + 1}")
        times.append((time.perf_counter() - start) * 1000)
        if got != generation + 1:
            print(f"round {n + 1}: build {got} after build {generation}")
        generation = got
    extra = 0
    while stream.next_build(2.0) is not None:
        extra += 1
    print("save to build event, ms: " + " ".join(f"{t:.0f}" for t in times))
    print(f"median {statistics.median(times):.0f} ms of {rounds}; builds no save asked for: {extra}")


if __name__ == "__main__":
    main()
