"""A small client of Chromium's DevTools protocol over its WebSocket, with
nothing but the standard library: enough to drive one page."""
import base64
import json
import os
import socket
import struct
import urllib.parse


class DevToolsError(RuntimeError):
    pass


class Connection:
    def __init__(self, ws_url, timeout=60):
        url = urllib.parse.urlparse(ws_url)
        self.sock = socket.create_connection((url.hostname, url.port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        request = ("GET %s HTTP/1.1\r\nHost: %s:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n" % (url.path, url.hostname, url.port, key))
        self.sock.sendall(request.encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise DevToolsError("the browser closed the connection during the handshake")
            head += chunk
        status = head.split(b"\r\n", 1)[0]
        if b" 101 " not in status:
            raise DevToolsError("handshake refused: %r" % status)
        self.buffer = head.split(b"\r\n\r\n", 1)[1]
        self.next_id = 0
        self.events = []

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise DevToolsError("the browser closed the connection")
            self.buffer += chunk
        out, self.buffer = self.buffer[:n], self.buffer[n:]
        return out

    def _send_frame(self, payload):
        header = bytearray([0x81])
        n = len(payload)
        if n < 126:
            header.append(0x80 | n)
        elif n < 1 << 16:
            header.append(0x80 | 126)
            header += struct.pack(">H", n)
        else:
            header.append(0x80 | 127)
            header += struct.pack(">Q", n)
        mask = os.urandom(4)
        header += mask
        masked = bytes(b ^ mask[i & 3] for i, b in enumerate(payload))
        self.sock.sendall(bytes(header) + masked)

    def _recv_message(self):
        data = b""
        while True:
            b0, b1 = self._read(2)
            n = b1 & 0x7F
            if n == 126:
                n = struct.unpack(">H", self._read(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", self._read(8))[0]
            payload = self._read(n)
            opcode = b0 & 0x0F
            if opcode == 8:
                raise DevToolsError("the browser closed the connection")
            if opcode in (9, 10):
                continue  # ping, pong
            data += payload
            if b0 & 0x80:
                return json.loads(data.decode())

    def call(self, method, **params):
        self.next_id += 1
        my_id = self.next_id
        self._send_frame(json.dumps({"id": my_id, "method": method, "params": params}).encode())
        while True:
            message = self._recv_message()
            if message.get("id") == my_id:
                if "error" in message:
                    raise DevToolsError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.events.append(message)
            del self.events[:-200]

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise DevToolsError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass
