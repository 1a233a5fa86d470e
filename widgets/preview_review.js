// The preview's review script. It runs in an isolated world of the page
// (QWebEngineScript::ApplicationWorld), with the QWebChannel bound to that world: the page's
// own scripts, which stay off anyway, never see it or the channel. It shares only the DOM:
// it marks doubtful readings and reports clicks on ruby elements to the program. The marks are
// inline styles of the live elements; the file the page came from stays as it is.
(function() {
'use strict';
if (typeof qt === 'undefined' || !qt.webChannelTransport) return;

var MARK = 'data-yomika-doubt';
var bridge = null;
var marked = [];  // the rubies marked now, with the inline styles they had before

function rubies() {
  return document.getElementsByTagName('ruby');
}

// The ruby's own text outside rt and rp; a nested ruby's text belongs to that ruby.
function baseText(ruby) {
  var text = '';
  (function walk(node) {
    for (var child = node.firstChild; child; child = child.nextSibling) {
      if (child.nodeType === Node.TEXT_NODE) {
        text += child.data;
      } else if (child.nodeType === Node.ELEMENT_NODE) {
        var name = child.localName;
        if (name !== 'rt' && name !== 'rp' && name !== 'ruby') walk(child);
      }
    }
  })(ruby);
  return text;
}

function rubyText(ruby) {
  var rt = ruby.getElementsByTagName('rt')[0];
  return rt ? rt.textContent : '';
}

var STYLE = [
  ['text-decoration-line', 'underline'], ['text-decoration-style', 'wavy'],
  ['text-decoration-color', '#e8331c'], ['text-decoration-skip-ink', 'none'],
  ['text-underline-offset', '1px']
];

function unmarkAll() {
  marked.forEach(function(entry) {
    STYLE.forEach(function(property, i) {
      entry.ruby.style.setProperty(property[0], entry.before[i][0], entry.before[i][1]);
    });
    entry.ruby.removeAttribute(MARK);
  });
  marked = [];
}

// Marks exactly the listed rubies whose text and reading are still the listed ones. Inline
// styles set through the object model, so no style sheet of the page's can refuse them.
function applyMarks(marks) {
  unmarkAll();
  var list = rubies();
  (marks || []).forEach(function(mark) {
    var ruby = list[mark.ordinal];
    if (!ruby || baseText(ruby) !== mark.text || rubyText(ruby) !== mark.reading) return;
    var before = STYLE.map(function(property) {
      return [
        ruby.style.getPropertyValue(property[0]), ruby.style.getPropertyPriority(property[0])
      ];
    });
    STYLE.forEach(function(property) {
      ruby.style.setProperty(property[0], property[1], 'important');
    });
    ruby.setAttribute(MARK, '');
    marked.push({ruby: ruby, before: before});
  });
  return marked.length;
}

function report(ruby) {
  var ordinal = Array.prototype.indexOf.call(rubies(), ruby);
  var box = ruby.getBoundingClientRect();
  bridge.rubyClicked(
      ordinal, baseText(ruby), rubyText(ruby), box.left, box.top, box.width, box.height);
}

function rubyAt(x, y) {
  var element = document.elementFromPoint(x, y);
  return element && element.closest ? element.closest('ruby') : null;
}

// With the preview taking input, the click reaches the page: a click on a ruby is ours.
document.addEventListener('click', function(event) {
  var target = event.target;
  var ruby = target && target.closest ? target.closest('ruby') : null;
  if (!ruby || !bridge) return;
  event.preventDefault();
  event.stopPropagation();
  report(ruby);
}, true);

new QWebChannel(qt.webChannelTransport, function(channel) {
  bridge = channel.objects.yomika;
  bridge.marksChanged.connect(function() {
    bridge.marksApplied(applyMarks(bridge.marks));
  });
  // A read-only preview takes no input: the program sees the click and asks what is there.
  bridge.clickAt.connect(function(x, y) {
    var ruby = rubyAt(x, y);
    if (ruby) report(ruby);
  });
  bridge.reveal.connect(function(ordinal) {
    var ruby = rubies()[ordinal];
    if (!ruby) return;
    ruby.scrollIntoView({block: 'center', inline: 'nearest'});
    report(ruby);
  });
  bridge.scrollTo.connect(function(x, y) {
    window.scrollTo(x, y);
  });
  bridge.marksApplied(applyMarks(bridge.marks));
  bridge.ready(rubies().length);
});
})();
