#pragma once

// The board page's fixed parts: its style and its little script, embedded so
// that the program needs no file and no download beside it. The script only
// updates the rows the server rendered and sends the two actions.

#include <string_view>

namespace drovane {

inline constexpr std::string_view kBoardHead = R"(<!DOCTYPE html>
<html lang="de"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Drovane – Maschinen</title>
<style>
body{font:15px/1.35 system-ui,sans-serif;margin:.6em;color:#222;background:#f6f6f4}
h1{font-size:1.3em;margin:.2em 0}h2{font-size:1.1em;margin:1em 0 .3em}
table{border-collapse:collapse;width:100%;background:#fff}
th,td{text-align:left;padding:.3em .45em;border-bottom:1px solid #ddd;vertical-align:top}
th{background:#e8e8e4;font-weight:600}
.mark{display:inline-block;width:.8em;height:.8em;border-radius:50%;margin-right:.35em;background:#999}
.s0{background:#3a3}.s1{background:#27d}.s2{background:#e90}.s3{background:#777}.s4{background:#d22}.s5{background:#bbb}
progress{display:block;width:7em}.a input{width:7em}
@media (max-width:700px){#machines thead{display:none}#machines tr{display:block;margin:.4em 0;
border:1px solid #ccc;background:#fff}#machines td{display:block;border:0;padding:.1em .5em}
#machines td.n{font-weight:700;font-size:1.1em}#journal .jt{white-space:nowrap}}
</style></head><body><h1>Maschinen</h1>
)";

inline constexpr std::string_view kBoardTail = R"(<script>
(function(){
var rows=document.querySelectorAll('#machines tbody tr');
function set(row,cls,text){var c=row.querySelector('td.'+cls);if(c)c.textContent=text;}
function rest(s){return s<0?'–':Math.floor(s/60)+':'+(s%60<10?'0':'')+s%60;}
function showMachines(list){
 if(list.length!==rows.length){location.reload();return;}
 list.forEach(function(m,i){var r=rows[i];
  var st=r.querySelector('td.s');st.firstChild.className='mark s'+m.stateIndex;st.lastChild.textContent=m.state;
  set(r,'f',m.file||'–');
  var b=r.querySelector('td.b');b.firstChild.textContent=m.bytes+(m.total>0?' / '+m.total:'');
  var p=b.querySelector('progress');p.max=Math.max(m.total,1);p.value=m.total>0?m.bytes:0;
  set(r,'r',m.bytesPerSecond+' B/s');set(r,'t',rest(m.remainingSeconds));});
}
var filter=document.getElementById('filter'),journal=document.querySelector('#journal tbody');
function showJournal(list){
 list.forEach(function(e){
  rows.forEach(function(r){if(r.dataset.name===e.machine)set(r,'l',e.file+' · '+e.result);});
  if(filter.value&&filter.value!==e.machine)return;
  var tr=document.createElement('tr');
  [['jt',e.time],['jm',e.machine],['jk',e.kind],['jf',e.file],['jb',e.bytes],['jr',e.result]].forEach(function(c){
   var td=document.createElement('td');td.className=c[0];td.textContent=c[1];tr.appendChild(td);});
  journal.insertBefore(tr,journal.firstChild);
  while(journal.children.length>100)journal.removeChild(journal.lastChild);});
}
var events=new EventSource('/events');
events.addEventListener('machines',function(e){showMachines(JSON.parse(e.data));});
events.addEventListener('journal',function(e){showJournal(JSON.parse(e.data));});
var key=document.getElementById('key'),answer=document.getElementById('answer');
function act(row,what,body){
 fetch('/api/machines/'+encodeURIComponent(row.dataset.name)+'/'+what,{method:'POST',
  headers:{'Authorization':'Bearer '+key.value,'Content-Type':'application/json'},body:JSON.stringify(body)})
 .then(function(r){return r.json();}).then(function(j){answer.textContent=j.text;},
  function(){answer.textContent='Keine Antwort vom Dienst.';});
}
rows.forEach(function(r){var s=r.querySelector('button.send');if(!s)return;
 s.addEventListener('click',function(){act(r,'send',{file:r.querySelector('td.a input').value});});
 r.querySelector('button.abort').addEventListener('click',function(){act(r,'abort',{});});});
})();
</script></body></html>
)";

} // namespace drovane
