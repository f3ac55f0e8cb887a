#!/usr/bin/env bash
# Regenerates the benchmark's 5-second voices (espeak-ng, sox and the GStreamer tools needed).
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
espeak-ng -v ja -s 120 -w "$tmp/speech.wav" "コンビニの かどを みぎに まがります。そのまま まっすぐ すすみます。"
sox "$tmp/speech.wav" -r 22050 -c 1 "$tmp/voice.wav" pad 0 5 trim 0 5
gst-launch-1.0 -q filesrc location="$tmp/voice.wav" ! wavparse ! audioconvert ! audioresample \
  ! opusenc ! oggmux ! filesink location=voice_5s.opus
gst-launch-1.0 -q filesrc location="$tmp/voice.wav" ! wavparse ! audioconvert \
  ! lamemp3enc target=bitrate bitrate=64 ! id3v2mux ! filesink location=voice_5s.mp3
cp "$tmp/voice.wav" voice_5s.wav
