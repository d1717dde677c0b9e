// Loads the core (page.cpp): its WebAssembly is compiled while it downloads (the page preloads
// the file, and this fetch takes the preloaded response), and its module comes beside it. Where
// the core cannot load, the promise fails with the reason in words, for the page to show.
const WASM = 'quillon-core.wasm';

async function compile() {
  let response;
  try {
    response = await fetch(WASM, { credentials: 'same-origin' });
  } catch {
    throw new Error(`the file ${WASM} did not arrive: the network did not answer.`);
  }
  if (!response.ok) {
    throw new Error(`the file ${WASM} did not arrive: the server answered ${response.status} ${response.statusText}`.trimEnd() + '.');
  }
  try {
    // Streaming needs the server to say what the file is; a host that says otherwise gets the
    // slower way, not a failure.
    if (response.headers.get('Content-Type')?.split(';')[0].trim() === 'application/wasm') {
      return await WebAssembly.compileStreaming(response);
    }
    return await WebAssembly.compile(await response.arrayBuffer());
  } catch (error) {
    throw new Error(`the file ${WASM} is not a core this browser can run (${error.message}).`, {
      cause: error,
    });
  }
}

export async function loadCore() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function') {
    throw new Error('this browser does not run WebAssembly.');
  }
  const compiled = compile();
  compiled.catch(() => {}); // awaited below; a failure must not go unhandled meanwhile
  let createCore;
  try {
    ({ default: createCore } = await import('./quillon-core.js'));
  } catch {
    throw new Error('the file quillon-core.js did not arrive.');
  }
  const module = await compiled;
  return new Promise((resolve, reject) => {
    createCore({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module), (error) => {
          reject(new Error(`the core did not start (${error.message}).`));
        });
        return {};
      },
    }).then(resolve, (error) => reject(new Error(`the core did not start (${error?.message ?? error}).`)));
  });
}
