// The page around the game: the loading bar, the picture scaled to the
// window by whole multiples where they fit, and a word when the game ends.
// The game itself (quonkle.js) draws on the canvas and reads the keys.
'use strict';
const canvas = document.getElementById('screen');
const progress = document.getElementById('progress');

function say(text) {
  document.getElementById('loading').hidden = true;
  const message = document.getElementById('message');
  message.textContent = text;
  message.hidden = false;
}

var Module = {
  canvas: canvas,
  // Sounds are decoded by Web Audio from the data package, not as media.
  noAudioDecoding: true,
  setStatus: text => {
    const got = /\((\d+)\/(\d+)\)/.exec(text);
    if (got) progress.value = got[1] / got[2];
  },
  monitorRunDependencies: left => {
    if (left === 0) document.getElementById('loading').hidden = true;
  },
  onExit: () => say('Quonkle has ended. Reload the page to play again.'),
  onAbort: () => say('Quonkle could not run in this browser.'),
};

function fit() {
  const stage = document.getElementById('stage');
  const room = Math.min(stage.clientWidth / 640, stage.clientHeight / 480);
  const scale = room >= 1 ? Math.floor(room) : room;
  canvas.style.width = 640 * scale + 'px';
  canvas.style.height = 480 * scale + 'px';
}
window.addEventListener('resize', fit);
document.addEventListener('fullscreenchange', fit);
fit();
// The right button throws: no menu on the picture.
canvas.addEventListener('contextmenu', event => event.preventDefault());
