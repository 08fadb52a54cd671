// How the page's tests report: a line for each check, and an exit status that says
// whether any failed.
let failures = 0;

export function expect(condition, what) {
  if (!condition) throw new Error(what);
}

// Runs one check and reports it; the error, when it fails, is returned.
export async function check(name, body) {
  try {
    await body();
    console.log(`ok - ${name}`);
    return null;
  } catch (error) {
    failures += 1;
    console.log(`not ok - ${name}: ${error.message}`);
    return error;
  }
}

// A check the next ones build on: its failure stops the test.
export async function mustPass(name, body) {
  const error = await check(name, body);
  if (error) throw error;
}

export function exitWithReport() {
  process.exit(failures === 0 ? 0 : 1);
}
