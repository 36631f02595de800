#!/usr/bin/env bash
# Firmware update speed. The tool flashes a KV510 image of IMAGE_KIB KiB
# (default 32) into an emulated KV510 that speaks its bootloader at real
# 19200-baud byte timing and power-cycles by itself after the reset. Prints
# the time of the exchange (bootloader's first answer to its answer to go),
# the image bytes per second, and the share of the line's limit: every byte
# both ways at 10 bits and 19200 baud with no pause at all. Beside it the
# pacing of one frame per 120 ms poll tick, computed for the same image.
# The flash is read back from the sensor and compared with the image.
#   bench/flash.sh [BUILD_DIR] [IMAGE_KIB] [CHUNK_MS]
# CHUNK_MS > 0 puts an emulated USB converter on the line that hands bytes
# over every CHUNK_MS ms (16 for an FTDI chip at its default latency).
set -euo pipefail
build="$(cd "${1:-build-qt5}" && pwd)"
kib="${2:-32}"
chunk="${3:-0}"
export QT_QPA_PLATFORM=offscreen VOLMAR_SCREEN_HEIGHT=1080 VOLMAR_EXTRA_PORTS=
export XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_CONFIG_HOME="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$work" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"' EXIT
cd "$work"

start=$((0x9000))       # KV510: first image address
image_start=$((0x5040)) # and the file offset of its byte
image_bytes=$((kib * 1024))
mkdir KV510
# The header (64 bytes with the four configuration bytes at 19..22), the
# file bytes below the start address, then the image.
head -c $((image_start + image_bytes)) /dev/urandom >KV510/firmware.cri
tail -c "$image_bytes" KV510/firmware.cri >image.bin

coproc EMU { exec "$build/emulator/volmar-emulator" --chunk "$chunk" --device kv510@1:autocycle=300 2>/dev/null; }
read -r port <&"${EMU[0]}"
output=$("$build/bench/bench_flash" "$port" "$work/KV510/firmware.cri" 2>/dev/null || true)
sleep 0.3
echo "dump 1 $start $image_bytes $work/flash.bin" >&"${EMU[1]}"
for _ in $(seq 50); do [ -s flash.bin ] && break; sleep 0.1; done
echo quit >&"${EMU[1]}"
wait "$EMU_PID" 2>/dev/null || true

result=$(sed -n 's/^result //p' <<<"$output")
seconds=$(sed -n 's/^exchange //p' <<<"$output")
if [ "$result" != ok ]; then
    echo "update failed: $output" >&2
    exit 1
fi
if cmp -s image.bin flash.bin; then match="the flash holds the image byte for byte"; else match="THE FLASH DIFFERS FROM THE IMAGE"; fi

awk -v s="$seconds" -v n="$image_bytes" -v chunk="$chunk" -v verdict="$match" 'BEGIN {
    blocks = int(n / 128) + 1           # an image ending on a block boundary gets a zero block
    # After the first knock: erase and erase all, four configuration bytes
    # (command, address, one byte), then per block command, address, 128
    # bytes, and go; one acknowledgement byte for each frame.
    frames = 2 + 4 * 3 + 3 * blocks + 1
    out = 2 + 2 + 4 * (2 + 5 + 3) + blocks * (2 + 5 + 130) + 2
    line = (out + frames) * 10 / 19200
    ticks = 14 + 3 * blocks + 1         # one frame per 120 ms poll tick
    paced = ticks * 0.120
    printf "image %d bytes (%d blocks), converter %s\n", n, blocks, chunk > 0 ? chunk " ms" : "none"
    printf "update      %7.2f s  %6.0f image bytes/s  %5.1f %% of the line limit\n", s, n / s, 100 * line / s
    printf "line limit  %7.2f s  %6.0f image bytes/s  (%d bytes both ways at 19200 baud)\n", line, n / line, out + frames
    printf "tick-paced  %7.2f s  %6.0f image bytes/s  (one frame per 120 ms tick)\n", paced, n / paced
    printf "speed-up over the tick pacing: %.1f x; %s\n", paced / s, verdict
}'
[ "$match" = "the flash holds the image byte for byte" ]
